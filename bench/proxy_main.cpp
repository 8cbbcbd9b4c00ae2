// yerbalis-proxy: a TCP proxy on a loopback port that delays every byte, each
// way, as a shop's network would, and that stalls or loses an answer when told
// to. The network benchmark and the tests of the store over a network run the
// server's connections through it.
//
//   yerbalis-proxy PORT TARGET [DELAY_MS]
//
// PORT: the loopback port to listen on (0: any free one). TARGET: host:port on
// the loopback, or the path of a Unix socket (a PostgreSQL socket folder's
// .s.PGSQL.5432). Once listening it prints "listening PORT" on its standard
// output. Commands, one a line on its standard input:
//
//   delay MS   each direction is delayed by MS milliseconds from now on
//   stall      nothing is forwarded any more, either way (a pulled cable)
//   resume     forwarding starts again, with what was held back
//   drop       the client's next bytes reach the server, the server's answer
//              to them never reaches the client: the connection is closed when
//              that answer arrives (an answer lost after the server acted);
//              prints "dropped" then
//   drop silent  the same, but the connection stays open and silent (the
//              answer and everything after it on that connection is thrown
//              away), as when the network fails right after the server acted
//   cut        every open connection is closed at once
//
// It ends when its standard input closes.

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QHostAddress>
#include <QLocalSocket>
#include <QSocketNotifier>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <cstdio>
#include <deque>
#include <memory>
#include <unistd.h>

namespace {

int delayMs = 0;
bool stalled = false;
bool dropArmed = false;
bool dropSilent = false;

// The bytes read on one side, each chunk with the moment it may leave.
struct Chunk {
    QByteArray bytes;
    QDeadlineTimer due;
};

class Link : public QObject {
public:
    Link(QTcpSocket* client, QIODevice* server, QObject* parent) : QObject(parent), client_(client), server_(server)
    {
        client_->setParent(this);
        server_->setParent(this);
        connect(client_, &QIODevice::readyRead, this, [this] { take(client_, toServer_, true); });
        connect(server_, &QIODevice::readyRead, this, [this] { take(server_, toClient_, false); });
        connect(client_, &QTcpSocket::disconnected, this, &Link::end);
        timer_.setSingleShot(true);
        connect(&timer_, &QTimer::timeout, this, &Link::pump);
    }

    void serverGone() { end(); }

    void pump()
    {
        if (ended_)
            return;
        const qint64 next = std::min(send(toServer_, server_), send(toClient_, client_));
        if (next < std::numeric_limits<qint64>::max())
            timer_.start(int(std::max<qint64>(next, 0)));
    }

    void end()
    {
        if (ended_)
            return;
        ended_ = true;
        client_->close();
        server_->close();
        deleteLater();
    }

private:
    void take(QIODevice* from, std::deque<Chunk>& queue, bool fromClient)
    {
        const QByteArray bytes = from->readAll();
        if (bytes.isEmpty())
            return;
        if (fromClient && dropArmed) {
            dropArmed = false;
            dropping_ = true;
            silent_ = dropSilent;
        } else if (!fromClient && dropping_) {
            // The server has answered what it was sent: that answer is lost.
            if (!reported_) {
                reported_ = true;
                std::printf("dropped\n");
                std::fflush(stdout);
            }
            if (!silent_)
                end();
            return;
        }
        queue.push_back({bytes, QDeadlineTimer(delayMs)});
        pump();
    }

    // Sends what is due; the milliseconds until the next chunk is.
    qint64 send(std::deque<Chunk>& queue, QIODevice* to)
    {
        if (stalled)
            return std::numeric_limits<qint64>::max();
        while (!queue.empty()) {
            const qint64 left = queue.front().due.remainingTime();
            if (left > 0)
                return left;
            to->write(queue.front().bytes);
            queue.pop_front();
        }
        return std::numeric_limits<qint64>::max();
    }

    QTcpSocket* client_;
    QIODevice* server_;
    std::deque<Chunk> toServer_, toClient_;
    QTimer timer_;
    bool dropping_ = false;
    bool silent_ = false;
    bool reported_ = false;
    bool ended_ = false;
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: yerbalis-proxy PORT TARGET [DELAY_MS]\n");
        return 2;
    }
    const quint16 port = quint16(QByteArray(argv[1]).toUInt());
    const QString target = QString::fromLocal8Bit(argv[2]);
    delayMs = argc > 3 ? QByteArray(argv[3]).toInt() : 0;
    const bool unixSocket = target.startsWith(QLatin1Char('/'));
    const QString host = target.section(QLatin1Char(':'), 0, -2);
    const quint16 targetPort = quint16(target.section(QLatin1Char(':'), -1).toUInt());
    if (!unixSocket && !QHostAddress(host).isLoopback()) {
        std::fprintf(stderr, "yerbalis-proxy: the target must be on the loopback\n");
        return 2;
    }

    QTcpServer server;
    if (!server.listen(QHostAddress::LocalHost, port)) {
        std::fprintf(stderr, "yerbalis-proxy: cannot listen on port %u: %s\n", unsigned(port),
                     qPrintable(server.errorString()));
        return 1;
    }
    QObject links;
    QObject::connect(&server, &QTcpServer::newConnection, [&] {
        while (QTcpSocket* client = server.nextPendingConnection()) {
            client->setSocketOption(QAbstractSocket::LowDelayOption, 1);
            Link* link = nullptr;
            if (unixSocket) {
                auto* s = new QLocalSocket;
                link = new Link(client, s, &links);
                QObject::connect(s, &QLocalSocket::disconnected, link, &Link::serverGone);
                s->connectToServer(target);
            } else {
                auto* s = new QTcpSocket;
                s->setSocketOption(QAbstractSocket::LowDelayOption, 1);
                link = new Link(client, s, &links);
                QObject::connect(s, &QTcpSocket::disconnected, link, &Link::serverGone);
                s->connectToHost(host, targetPort);
            }
        }
    });
    std::printf("listening %u\n", unsigned(server.serverPort()));
    std::fflush(stdout);

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QByteArray pending;
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char buf[256];
        const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
        if (n <= 0) {
            QCoreApplication::quit();
            return;
        }
        pending.append(buf, n);
        for (qsizetype nl; (nl = pending.indexOf('\n')) >= 0;) {
            const QByteArrayList words = pending.left(nl).simplified().split(' ');
            pending.remove(0, nl + 1);
            const QByteArray& cmd = words.first();
            if (cmd == "delay" && words.size() > 1)
                delayMs = words[1].toInt();
            else if (cmd == "stall")
                stalled = true;
            else if (cmd == "resume")
                stalled = false;
            else if (cmd == "drop") {
                dropArmed = true;
                dropSilent = words.size() > 1 && words[1] == "silent";
            }
            if (cmd == "cut") {
                for (Link* l : links.findChildren<Link*>(Qt::FindDirectChildrenOnly))
                    l->end();
            } else {
                for (Link* l : links.findChildren<Link*>(Qt::FindDirectChildrenOnly))
                    l->pump();
            }
            std::printf("ok %s\n", cmd.constData());
            std::fflush(stdout);
        }
    });
    return app.exec();
}
