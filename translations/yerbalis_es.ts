<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES" sourcelanguage="en">
<context>
    <name>QLineEdit</name>
    <message>
        <source>Cu&amp;t</source>
        <translation>Cor&amp;tar</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Pegar</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Borrar</translation>
    </message>
</context>
<context>
    <name>yb::Controls</name>
    <message>
        <source>Unknown error</source>
        <translation>Error desconocido</translation>
    </message>
</context>
<context>
    <name>yb::Paradox</name>
    <message>
        <source>code page %1</source>
        <translation>página de códigos %1</translation>
    </message>
    <message>
        <source>the character set %1 is not known to this system</source>
        <translation>este sistema no conoce el juego de caracteres %1</translation>
    </message>
    <message>
        <source>alpha</source>
        <translation>alfanumérico</translation>
    </message>
    <message>
        <source>date</source>
        <translation>fecha</translation>
    </message>
    <message>
        <source>short</source>
        <translation>entero corto</translation>
    </message>
    <message>
        <source>long integer</source>
        <translation>entero largo</translation>
    </message>
    <message>
        <source>money</source>
        <translation>moneda</translation>
    </message>
    <message>
        <source>number</source>
        <translation>número</translation>
    </message>
    <message>
        <source>logical</source>
        <translation>lógico</translation>
    </message>
    <message>
        <source>memo</source>
        <translation>memo</translation>
    </message>
    <message>
        <source>binary</source>
        <translation>binario</translation>
    </message>
    <message>
        <source>formatted memo</source>
        <translation>memo con formato</translation>
    </message>
    <message>
        <source>graphic</source>
        <translation>gráfico</translation>
    </message>
    <message>
        <source>time</source>
        <translation>hora</translation>
    </message>
    <message>
        <source>timestamp</source>
        <translation>fecha y hora</translation>
    </message>
    <message>
        <source>autoincrement</source>
        <translation>autoincremento</translation>
    </message>
    <message>
        <source>bytes</source>
        <translation>bytes</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>desconocido</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>no se puede leer %1: %2</translation>
    </message>
    <message>
        <source>%1 is not a readable Paradox table: %2</source>
        <translation>%1 no es una tabla Paradox legible: %2</translation>
    </message>
    <message>
        <source>%1 is damaged: record %2, field &apos;%3&apos;: %4</source>
        <translation>%1 está dañada: registro %2, campo «%3»: %4</translation>
    </message>
    <message>
        <source>field &apos;%1&apos; (BCD): %2 held a digit that is not decimal (the first in record %3); each is read up to that digit</source>
        <translation>campo «%1» (BCD): una cifra no decimal en %2 (el primero, en el registro %3); cada uno se lee hasta esa cifra</translation>
    </message>
    <message>
        <source>1 value</source>
        <translation>1 valor</translation>
    </message>
    <message>
        <source>%1 values</source>
        <translation>%1 valores</translation>
    </message>
    <message>
        <source>the file is shorter (%1 bytes) than a table&apos;s header</source>
        <translation>el archivo es más corto (%1 bytes) que la cabecera de una tabla</translation>
    </message>
    <message>
        <source>the header cannot be read</source>
        <translation>no se puede leer la cabecera</translation>
    </message>
    <message>
        <source>its version byte (%1) is not one of a table of file versions 3 to 7</source>
        <translation>su byte de versión (%1) no es el de una tabla de las versiones de archivo 3 a 7</translation>
    </message>
    <message>
        <source>it is an index file, not a table</source>
        <translation>es un archivo de índice, no una tabla</translation>
    </message>
    <message>
        <source>its file type (%1) is not a table&apos;s</source>
        <translation>su tipo de archivo (%1) no es el de una tabla</translation>
    </message>
    <message>
        <source>its block size (%1 KiB) is not one the format has</source>
        <translation>su tamaño de bloque (%1 KiB) no existe en el formato</translation>
    </message>
    <message>
        <source>its record size (%1 bytes) does not fit its blocks of %2 bytes</source>
        <translation>su tamaño de registro (%1 bytes) no cabe en sus bloques de %2 bytes</translation>
    </message>
    <message>
        <source>it declares %1 fields</source>
        <translation>declara %1 campos</translation>
    </message>
    <message>
        <source>the file is shorter than a table&apos;s header</source>
        <translation>el archivo es más corto que la cabecera de una tabla</translation>
    </message>
    <message>
        <source>%1 is protected by a password (encrypted); this reader does not read encrypted tables. Remove the password with the old program first.</source>
        <translation>%1 está protegida con contraseña (cifrada); este lector no lee tablas cifradas. Quite antes la contraseña con el programa antiguo.</translation>
    </message>
    <message>
        <source>the header (%1 bytes) is longer than the file</source>
        <translation>la cabecera (%1 bytes) es más larga que el archivo</translation>
    </message>
    <message>
        <source>the file is truncated: it holds %1 bytes where its header and %2 blocks need at least %3</source>
        <translation>el archivo está truncado: tiene %1 bytes y su cabecera y sus %2 bloques necesitan al menos %3</translation>
    </message>
    <message>
        <source>its header counts %1 records, more than its %2 blocks can hold</source>
        <translation>su cabecera cuenta %1 registros, más de los que caben en sus %2 bloques</translation>
    </message>
    <message>
        <source>its first data block (%1) lies beyond its %2 blocks</source>
        <translation>su primer bloque de datos (%1) está más allá de sus %2 bloques</translation>
    </message>
    <message>
        <source>the header ends inside its field descriptors</source>
        <translation>la cabecera termina en medio de las descripciones de los campos</translation>
    </message>
    <message>
        <source>field %1 has a type (0x%2) this reader does not know</source>
        <translation>el campo %1 tiene un tipo (0x%2) que este lector no conoce</translation>
    </message>
    <message>
        <source>field %1 is a BCD number with %2 decimals</source>
        <translation>el campo %1 es un número BCD con %2 decimales</translation>
    </message>
    <message>
        <source>field %1 (%2) has %3 bytes instead of %4</source>
        <translation>el campo %1 (%2) tiene %3 bytes en lugar de %4</translation>
    </message>
    <message>
        <source>field %1 (%2) is too small (%3 bytes) to hold its pointer</source>
        <translation>el campo %1 (%2) es demasiado pequeño (%3 bytes) para contener su puntero</translation>
    </message>
    <message>
        <source>field %1 (%2) has no size</source>
        <translation>el campo %1 (%2) no tiene tamaño</translation>
    </message>
    <message>
        <source>its fields take %1 bytes, its records %2</source>
        <translation>sus campos ocupan %1 bytes y sus registros %2</translation>
    </message>
    <message>
        <source>the header ends inside its table name</source>
        <translation>la cabecera termina en medio del nombre de la tabla</translation>
    </message>
    <message>
        <source>the header ends inside the name of field %1</source>
        <translation>la cabecera termina en medio del nombre del campo %1</translation>
    </message>
    <message>
        <source>%1: its texts are in %2</source>
        <translation>%1: sus textos están en %2</translation>
    </message>
    <message>
        <source>field &apos;%1&apos; (%2) holds no text: it is read as empty</source>
        <translation>el campo «%1» (%2) no contiene texto: se lee vacío</translation>
    </message>
    <message>
        <source>the chain of data blocks points to block %1 of %2</source>
        <translation>la cadena de bloques de datos apunta al bloque %1 de %2</translation>
    </message>
    <message>
        <source>the chain of data blocks returns to block %1</source>
        <translation>la cadena de bloques de datos vuelve al bloque %1</translation>
    </message>
    <message>
        <source>block %1 cannot be read</source>
        <translation>no se puede leer el bloque %1</translation>
    </message>
    <message>
        <source>the file is truncated: it ends inside the head of block %1</source>
        <translation>el archivo está truncado: termina en medio de la cabecera del bloque %1</translation>
    </message>
    <message>
        <source>block %1 says its last record begins at byte %2</source>
        <translation>el bloque %1 dice que su último registro empieza en el byte %2</translation>
    </message>
    <message>
        <source>the file is truncated: it ends inside record %1 of block %2</source>
        <translation>el archivo está truncado: termina en medio del registro %1 del bloque %2</translation>
    </message>
    <message>
        <source>its header counts %1 records, its data blocks hold %2</source>
        <translation>su cabecera cuenta %1 registros y sus bloques de datos contienen %2</translation>
    </message>
    <message>
        <source>its data blocks hold more records than the %1 its header counts</source>
        <translation>sus bloques de datos contienen más registros que los %1 que cuenta su cabecera</translation>
    </message>
    <message>
        <source>record %1, field &apos;%2&apos;: %3</source>
        <translation>registro %1, campo «%2»: %3</translation>
    </message>
    <message>
        <source>%1 is not a day of the calendar</source>
        <translation>%1 no es un día del calendario</translation>
    </message>
    <message>
        <source>%1 ms is not a time of day</source>
        <translation>%1 ms no es una hora del día</translation>
    </message>
    <message>
        <source>%1 is not a date and time</source>
        <translation>%1 no es una fecha y hora</translation>
    </message>
    <message>
        <source>%1 has %2 memo files, %3: keep the one that belongs to it and move the others away</source>
        <translation>%1 tiene %2 archivos de memos, %3: deje el que le corresponde y aparte los demás</translation>
    </message>
    <message>
        <source> and </source>
        <translation> y </translation>
    </message>
    <message>
        <source>%1 is not a readable memo file of %2: its first block is not a memo file&apos;s head</source>
        <translation>%1 no es un archivo de memos legible de %2: su primer bloque no es la cabecera de un archivo de memos</translation>
    </message>
    <message>
        <source>%1: field &apos;%2&apos; keeps its texts in a memo file %3.MB, which is missing</source>
        <translation>%1: el campo «%2» guarda sus textos en un archivo de memos %3.MB, que no está</translation>
    </message>
    <message>
        <source>the memo points to byte %1 of a memo file of %2 bytes</source>
        <translation>el memo apunta al byte %1 de un archivo de memos de %2 bytes</translation>
    </message>
    <message>
        <source>the memo file cannot be read</source>
        <translation>no se puede leer el archivo de memos</translation>
    </message>
    <message>
        <source>the memo file is cut short</source>
        <translation>el archivo de memos está cortado</translation>
    </message>
    <message>
        <source>the memo&apos;s block has type %1 where a single blob&apos;s is 2</source>
        <translation>el bloque del memo es del tipo %1 y el de un memo suelto es el 2</translation>
    </message>
    <message>
        <source>the memo&apos;s length (%1) disagrees with its block (%2)</source>
        <translation>la longitud del memo (%1) no coincide con la de su bloque (%2)</translation>
    </message>
    <message>
        <source>the memo&apos;s block has type %1 where a shared block&apos;s is 3</source>
        <translation>el bloque del memo es del tipo %1 y el de un bloque compartido es el 3</translation>
    </message>
    <message>
        <source>the memo points to entry %1 of a block of %2</source>
        <translation>el memo apunta a la entrada %1 de un bloque de %2</translation>
    </message>
    <message>
        <source>the memo&apos;s entry in its block does not hold %1 bytes</source>
        <translation>la entrada del memo en su bloque no contiene %1 bytes</translation>
    </message>
    <message>
        <source>the memo file ends inside the memo</source>
        <translation>el archivo de memos termina en medio del memo</translation>
    </message>
    <message>
        <source>the memo of %1 bytes has no place in the memo file</source>
        <translation>el memo de %1 bytes no cabe en el archivo de memos</translation>
    </message>
    <message>
        <source>the formatted memo is not in the form this reader knows</source>
        <translation>el memo con formato no tiene la forma que este lector conoce</translation>
    </message>
</context>
<context>
    <name>yb::Postgres</name>
    <message>
        <source>column %1 of a result is not an integer</source>
        <translation>la columna %1 de un resultado no es un número entero</translation>
    </message>
    <message>
        <source>column %1 of a result is not a date-time</source>
        <translation>la columna %1 de un resultado no es una fecha y hora</translation>
    </message>
    <message>
        <source>the PostgreSQL server %1 is still answering the previous request</source>
        <translation>el servidor PostgreSQL %1 todavía está respondiendo a la petición anterior</translation>
    </message>
    <message>
        <source>The connection to the PostgreSQL server %1 was lost: it did not answer within %2 s</source>
        <translation>Se perdió la conexión con el servidor PostgreSQL %1: no respondió en %2 s</translation>
    </message>
    <message>
        <source>Cannot connect to the PostgreSQL server %1: out of memory</source>
        <translation>No se puede conectar con el servidor PostgreSQL %1: no queda memoria</translation>
    </message>
    <message>
        <source>Cannot connect to the PostgreSQL server %1: %2</source>
        <translation>No se puede conectar con el servidor PostgreSQL %1: %2</translation>
    </message>
    <message>
        <source>no answer within %1 s</source>
        <translation>no hubo respuesta en %1 s</translation>
    </message>
    <message>
        <source>Cannot use the PostgreSQL database %1: its encoding is %2, not UTF8</source>
        <translation>No se puede usar la base de datos PostgreSQL %1: su codificación es %2, no UTF8</translation>
    </message>
    <message>
        <source>Cannot use the PostgreSQL server %1: it keeps dates as floating point</source>
        <translation>No se puede usar el servidor PostgreSQL %1: guarda las fechas en coma flotante</translation>
    </message>
    <message>
        <source>The connection to the PostgreSQL server %1 was lost: %2</source>
        <translation>Se perdió la conexión con el servidor PostgreSQL %1: %2</translation>
    </message>
    <message>
        <source>the transaction was rolled back</source>
        <translation>la transacción se ha deshecho</translation>
    </message>
    <message>
        <source>no transaction is open</source>
        <translation>no hay ninguna transacción abierta</translation>
    </message>
    <message>
        <source>%1; whether the transaction was committed is not known (%2)</source>
        <translation>%1; no se sabe si la transacción se ha confirmado (%2)</translation>
    </message>
    <message>
        <source>%1; the transaction was not committed</source>
        <translation>%1; la transacción no se ha confirmado</translation>
    </message>
    <message>
        <source>PostgreSQL server %1: %2</source>
        <translation>Servidor PostgreSQL %1: %2</translation>
    </message>
    <message>
        <source>%1; whether the record was written is not known</source>
        <translation>%1; no se sabe si el registro se ha escrito</translation>
    </message>
    <message>
        <source>%1; the record was not written</source>
        <translation>%1; el registro no se ha escrito</translation>
    </message>
    <message>
        <source>%1; whether the edit was written is not known</source>
        <translation>%1; no se sabe si la modificación se ha escrito</translation>
    </message>
    <message>
        <source>%1; the edit was not written</source>
        <translation>%1; la modificación no se ha escrito</translation>
    </message>
    <message>
        <source>no field number %1 in %2</source>
        <translation>no hay campo número %1 en %2</translation>
    </message>
    <message>
        <source>the table %1 is open for reading only</source>
        <translation>la tabla %1 está abierta solo para lectura</translation>
    </message>
    <message>
        <source>the bulk insert has already ended</source>
        <translation>la inserción en bloque ya ha terminado</translation>
    </message>
    <message>
        <source>a record of %1 values for %2 fields</source>
        <translation>un registro de %1 valores para %2 campos</translation>
    </message>
    <message>
        <source>Cannot create table %1 in the PostgreSQL database %2: %3</source>
        <translation>No se puede crear la tabla %1 en la base de datos PostgreSQL %2: %3</translation>
    </message>
    <message>
        <source>Cannot open table %1: %2</source>
        <translation>No se puede abrir la tabla %1: %2</translation>
    </message>
    <message>
        <source>the PostgreSQL database %1</source>
        <translation>la base de datos PostgreSQL %1</translation>
    </message>
    <message>
        <source>the table %1 is missing from %2 (&apos;yerbalis-admin create&apos; with the same URI makes the missing tables)</source>
        <translation>falta la tabla %1 en %2 («yerbalis-admin create» con el mismo URI crea las tablas que faltan)</translation>
    </message>
    <message>
        <source>the description of the table %1 is missing from %2</source>
        <translation>falta la descripción de la tabla %1 en %2</translation>
    </message>
    <message>
        <source>the index field of the table %1 is &apos;%2&apos;, not &apos;%3&apos;</source>
        <translation>el campo índice de la tabla %1 es «%2», no «%3»</translation>
    </message>
    <message>
        <source>the table %1 has a newer format (%2) than this program knows</source>
        <translation>la tabla %1 tiene un formato (%2) más reciente que los que conoce este programa</translation>
    </message>
    <message>
        <source>the column &apos;%1&apos; of the table %2 has the type %3</source>
        <translation>la columna «%1» de la tabla %2 es del tipo %3</translation>
    </message>
    <message>
        <source>the column %1 of the table %2 is missing from %3</source>
        <translation>falta la columna %1 de la tabla %2 en %3</translation>
    </message>
    <message>
        <source>the column &apos;%1&apos; of the table %2 is missing from %3</source>
        <translation>falta la columna «%1» de la tabla %2 en %3</translation>
    </message>
    <message>
        <source>the column &apos;%1&apos; of the table %2 is not %3%4%5</source>
        <translation>la columna «%1» de la tabla %2 no es %3%4%5</translation>
    </message>
    <message>
        <source>, required</source>
        <translation>, obligatoria</translation>
    </message>
    <message>
        <source>the table %1 has an unknown column &apos;%2&apos;</source>
        <translation>la tabla %1 tiene una columna desconocida, «%2»</translation>
    </message>
</context>
<context>
    <name>yb::Printing</name>
    <message>
        <source>Printer is not currently printing</source>
        <translation>La impresora no está imprimiendo</translation>
    </message>
    <message>
        <source>Printer error on &apos;%1&apos;</source>
        <translation>Error de impresora en «%1»</translation>
    </message>
    <message>
        <source>Printer selected is not valid</source>
        <translation>La impresora seleccionada no es válida</translation>
    </message>
    <message>
        <source>Cannot write the printer file &apos;%1&apos;</source>
        <translation>No se puede escribir el archivo de impresión «%1»</translation>
    </message>
    <message>
        <source>Printing in progress</source>
        <translation>Ya hay una impresión en curso</translation>
    </message>
</context>
<context>
    <name>yb::Shell</name>
    <message>
        <source>Waiting for the answer of the database server %1…</source>
        <translation>Esperando respuesta del servidor de datos %1…</translation>
    </message>
</context>
<context>
    <name>yb::Shop</name>
    <message>
        <source>The server&apos;s answer was lost, but the sale had already been recorded: it stays recorded once</source>
        <translation>Se perdió la respuesta del servidor, pero la venta ya estaba registrada: queda registrada una sola vez</translation>
    </message>
    <message>
        <source>The total of the purchase would exceed %1: the sale was not recorded</source>
        <translation>El total de la compra sobrepasa %1: la venta no se ha registrado</translation>
    </message>
    <message>
        <source>YERBALIS_TILL must be a till number from 1 to 99, not &apos;%1&apos;</source>
        <translation>YERBALIS_TILL debe ser un número de caja del 1 al 99, no «%1»</translation>
    </message>
    <message>
        <source>Press Enter in the code box to look up the product before recording the sale</source>
        <translation>Pulse Intro en el código para buscar el producto antes de registrar la venta</translation>
    </message>
    <message>
        <source>The product shown is not the one of the code: press Enter in the code box to look it up again</source>
        <translation>El producto mostrado no es el del código: pulse Intro en el código para buscarlo de nuevo</translation>
    </message>
    <message>
        <source>Whether the sale was recorded is not known (%1). When the connection is back, record the same sale again: if it was already recorded, it will not be recorded twice</source>
        <translation>No se sabe si la venta ha quedado registrada (%1). Cuando vuelva la conexión, registre de nuevo la misma venta: si ya estaba registrada, no se registrará dos veces</translation>
    </message>
    <message>
        <source>The sale was not recorded (%1)</source>
        <translation>La venta no se ha registrado (%1)</translation>
    </message>
    <message>
        <source>Printer is not ready: the print job could not be started</source>
        <translation>La impresora no está preparada: no se pudo empezar el trabajo de impresión</translation>
    </message>
    <message>
        <source>Printer error: the print job could not be finished</source>
        <translation>Error de impresora: no se pudo terminar el trabajo de impresión</translation>
    </message>
</context>
<context>
    <name>yb::Sqlite</name>
    <message>
        <source>the bulk insert has already ended</source>
        <translation>la inserción en bloque ya ha terminado</translation>
    </message>
    <message>
        <source>a record of %1 values for %2 fields</source>
        <translation>un registro de %1 valores para %2 campos</translation>
    </message>
    <message>
        <source>Cannot create the database directory %1</source>
        <translation>No se puede crear el directorio de datos %1</translation>
    </message>
    <message>
        <source>Cannot start the table engine SQLite %1: error code %2</source>
        <translation>No se puede iniciar el motor de tablas SQLite %1: código de error %2</translation>
    </message>
    <message>
        <source>Cannot open table %1: %2</source>
        <translation>No se puede abrir la tabla %1: %2</translation>
    </message>
    <message>
        <source> (the disk may be full, read-only or failing)</source>
        <translation> (puede que el disco esté lleno, sea de solo lectura o esté fallando)</translation>
    </message>
    <message>
        <source>the file does not exist</source>
        <translation>el archivo no existe</translation>
    </message>
    <message>
        <source>it is not a file</source>
        <translation>no es un archivo</translation>
    </message>
    <message>
        <source>it is not a table of this program</source>
        <translation>no es una tabla de este programa</translation>
    </message>
    <message>
        <source>its description is missing or damaged</source>
        <translation>su descripción falta o está dañada</translation>
    </message>
    <message>
        <source>it holds the table %1, not %2</source>
        <translation>contiene la tabla %1, no %2</translation>
    </message>
    <message>
        <source>its index field &apos;%1&apos; is not &apos;%2&apos;</source>
        <translation>su campo índice «%1» no es «%2»</translation>
    </message>
    <message>
        <source>its field list is missing or damaged</source>
        <translation>su lista de campos falta o está dañada</translation>
    </message>
    <message>
        <source>field &apos;%1&apos; has an unknown type &apos;%2&apos;</source>
        <translation>el campo «%1» tiene un tipo desconocido, «%2»</translation>
    </message>
    <message>
        <source>it has %1 fields instead of %2</source>
        <translation>tiene %1 campos en lugar de %2</translation>
    </message>
    <message>
        <source>it has an unknown field &apos;%1&apos;</source>
        <translation>tiene un campo desconocido, «%1»</translation>
    </message>
    <message>
        <source>field &apos;%1&apos; is not %2</source>
        <translation>el campo «%1» no es %2</translation>
    </message>
    <message>
        <source>its records are missing or damaged (%1)</source>
        <translation>sus registros faltan o están dañados (%1)</translation>
    </message>
    <message>
        <source>Cannot create table %1: the directory cannot be written</source>
        <translation>No se puede crear la tabla %1: no se puede escribir en el directorio</translation>
    </message>
    <message>
        <source>Cannot create table %1: %2</source>
        <translation>No se puede crear la tabla %1: %2</translation>
    </message>
    <message>
        <source>Cannot create table %1: the file already exists or cannot be written</source>
        <translation>No se puede crear la tabla %1: el archivo ya existe o no se puede escribir</translation>
    </message>
    <message>
        <source>SQL logic error</source>
        <translation>error lógico de SQL</translation>
    </message>
    <message>
        <source>access permission denied</source>
        <translation>permiso de acceso denegado</translation>
    </message>
    <message>
        <source>query aborted</source>
        <translation>consulta interrumpida</translation>
    </message>
    <message>
        <source>database is locked</source>
        <translation>la base de datos está bloqueada</translation>
    </message>
    <message>
        <source>database table is locked</source>
        <translation>la tabla de la base de datos está bloqueada</translation>
    </message>
    <message>
        <source>out of memory</source>
        <translation>no queda memoria</translation>
    </message>
    <message>
        <source>attempt to write a readonly database</source>
        <translation>intento de escribir en una base de datos de solo lectura</translation>
    </message>
    <message>
        <source>interrupted</source>
        <translation>interrumpido</translation>
    </message>
    <message>
        <source>disk I/O error</source>
        <translation>error de entrada/salida del disco</translation>
    </message>
    <message>
        <source>database disk image is malformed</source>
        <translation>la imagen en disco de la base de datos está dañada</translation>
    </message>
    <message>
        <source>database or disk is full</source>
        <translation>la base de datos o el disco están llenos</translation>
    </message>
    <message>
        <source>unable to open database file</source>
        <translation>no se puede abrir el archivo de la base de datos</translation>
    </message>
    <message>
        <source>locking protocol</source>
        <translation>error del protocolo de bloqueo</translation>
    </message>
    <message>
        <source>constraint failed</source>
        <translation>restricción incumplida</translation>
    </message>
    <message>
        <source>datatype mismatch</source>
        <translation>tipo de datos no coincidente</translation>
    </message>
    <message>
        <source>file is not a database</source>
        <translation>el archivo no es una base de datos</translation>
    </message>
    <message>
        <source>it was made by a newer version of this program (format %1)</source>
        <translation>la hizo una versión más reciente de este programa (formato %1)</translation>
    </message>
</context>
<context>
    <name>yb::Startup</name>
    <message>
        <source>no display to show the program on (neither DISPLAY nor WAYLAND_DISPLAY is set)</source>
        <translation>no hay pantalla en la que mostrar el programa (no está definida ni DISPLAY ni WAYLAND_DISPLAY)</translation>
    </message>
    <message>
        <source>Usage: yerbalis [--help | --version]
Yerbalis (Base de Datos): a database program for herbalists&apos; and dietetic
shops, with eleven reference databases, a card file of clients, a product
table, a sales terminal and the daily sales list. Its screens are Spanish.

The program takes no options of its own: it opens its main menu on the
desktop. Its data lives in the directory that the environment variable
YERBALIS_DATA_DIR names or, when that is not set, in %1.
A directory that does not exist is created with the fourteen empty tables.

Options:
  --help      print this help and exit
  --version   print the version and exit

Environment:
  YERBALIS_DATA_DIR   the data directory to use instead of the usual one
  YERBALIS_DATABASE   the shop&apos;s database on a PostgreSQL server, as a libpq
                      connection URI (postgresql://caja@servidor/yerbalis),
                      for several tills; it takes the data directory&apos;s place
  YERBALIS_TILL       the number of this till, 1 to 99 (1 when not set), which
                      the sales terminal records with every sale
</source>
        <translation>Modo de empleo: yerbalis [--help | --version]
Yerbalis (Base de Datos): un programa de bases de datos para herbolarios y
tiendas de dietética, con once bases de datos de consulta, un fichero de
clientes, una tabla de productos, un terminal de ventas y la lista de las
ventas del día. Sus pantallas están en español.

El programa no tiene opciones propias: abre su menú principal en el
escritorio. Sus datos están en el directorio que indica la variable de
entorno YERBALIS_DATA_DIR o, si no está definida, en %1.
Un directorio que no existe se crea con las catorce tablas vacías.

Opciones:
  --help      muestra esta ayuda y termina
  --version   muestra la versión y termina

Entorno:
  YERBALIS_DATA_DIR   el directorio de datos que se usa en lugar del habitual
  YERBALIS_DATABASE   la base de datos de la tienda en un servidor PostgreSQL,
                      como URI de conexión de libpq
                      (postgresql://caja@servidor/yerbalis), para varias
                      cajas; ocupa el lugar del directorio de datos
  YERBALIS_TILL       el número de esta caja, de 1 a 99 (1 si no está
                      definida), que el terminal de ventas guarda con cada venta
</translation>
    </message>
    <message>
        <source>yerbalis: cannot start: %1</source>
        <translation>yerbalis: no se puede iniciar: %1</translation>
    </message>
    <message>
        <source>yerbalis: cannot start: no display could be opened</source>
        <translation>yerbalis: no se puede iniciar: no se pudo abrir ninguna pantalla</translation>
    </message>
</context>
<context>
    <name>yb::Store</name>
    <message>
        <source>No table cursor &apos;%1&apos; is declared for &apos;%2&apos;</source>
        <translation>No hay ningún cursor de tabla «%1» declarado para «%2»</translation>
    </message>
    <message>
        <source>(a connection string)</source>
        <translation>(una cadena de conexión)</translation>
    </message>
    <message>
        <source>(a connection URI)</source>
        <translation>(un URI de conexión)</translation>
    </message>
    <message>
        <source>The database directory %1 does not exist</source>
        <translation>El directorio de datos %1 no existe</translation>
    </message>
    <message>
        <source>Cannot open the database %1: this build of the program has no engine for %2</source>
        <translation>No se puede abrir la base de datos %1: esta versión del programa no tiene motor para %2</translation>
    </message>
    <message>
        <source>directories of table files</source>
        <translation>directorios de archivos de tablas</translation>
    </message>
    <message>
        <source>%1:// locations</source>
        <translation>direcciones %1://</translation>
    </message>
    <message>
        <source>%1: record %2 has no value in the required field &apos;%3&apos;</source>
        <translation>%1: el registro %2 no tiene valor en el campo obligatorio «%3»</translation>
    </message>
    <message>
        <source>%1: record %2 has more than %3 characters in field &apos;%4&apos;</source>
        <translation>%1: el registro %2 tiene más de %3 caracteres en el campo «%4»</translation>
    </message>
    <message>
        <source>%1: record %2 has a value out of range in field &apos;%3&apos;</source>
        <translation>%1: el registro %2 tiene un valor fuera de rango en el campo «%3»</translation>
    </message>
    <message>
        <source>%1: record %2 is out of its place in key order</source>
        <translation>%1: el registro %2 está fuera de su sitio en el orden de la clave</translation>
    </message>
    <message>
        <source>%1: %2 more problems</source>
        <translation>%1: %2 problemas más</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid date and time</source>
        <translation>«%1» no es una fecha y hora válida</translation>
    </message>
    <message>
        <source>the field must have a value</source>
        <translation>el campo debe tener un valor</translation>
    </message>
    <message>
        <source>the text is not valid UTF-8; %1</source>
        <translation>el texto no es UTF-8 válido; %1</translation>
    </message>
    <message>
        <source>the text has %1 characters, more than the %2 the field holds</source>
        <translation>el texto tiene %1 caracteres, más de los %2 que admite el campo</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value: the field holds whole numbers, without decimals or thousands separators</source>
        <translation>«%1» no es un valor entero válido: el campo admite números enteros, sin decimales ni separadores de millares</translation>
    </message>
    <message>
        <source>%1 is out of the allowed range %2 to %3</source>
        <translation>%1 está fuera del intervalo permitido, de %2 a %3</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a date and time here: write it as YYYY-MM-DD HH:MM:SS, or import under regional settings that put the day first (for example LC_ALL=es_ES.UTF-8)</source>
        <translation>«%1» no es aquí una fecha y hora: escríbala como AAAA-MM-DD HH:MM:SS, o importe con una configuración regional que ponga primero el día (por ejemplo LC_ALL=es_ES.UTF-8)</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a date and time (write it as YYYY-MM-DD HH:MM:SS)</source>
        <translation>«%1» no es una fecha y hora (escríbala como AAAA-MM-DD HH:MM:SS)</translation>
    </message>
    <message>
        <source>cannot copy %1: record %2 is refused: %3</source>
        <translation>no se puede copiar %1: se rechaza el registro %2: %3</translation>
    </message>
    <message>
        <source>cannot copy %1: %2</source>
        <translation>no se puede copiar %1: %2</translation>
    </message>
    <message>
        <source>%1 of %2 records were written</source>
        <translation>se escribieron %1 de %2 registros</translation>
    </message>
    <message>
        <source>the copy of %1 holds %2 records instead of %3</source>
        <translation>la copia de %1 tiene %2 registros en lugar de %3</translation>
    </message>
    <message>
        <source>a backup goes into a directory</source>
        <translation>una copia de seguridad se guarda en un directorio</translation>
    </message>
    <message>
        <source>%1 is not a directory</source>
        <translation>%1 no es un directorio</translation>
    </message>
    <message>
        <source>the directory %1 already holds the table %2</source>
        <translation>el directorio %1 ya contiene la tabla %2</translation>
    </message>
    <message>
        <source>cannot create the directory %1</source>
        <translation>no se puede crear el directorio %1</translation>
    </message>
    <message>
        <source>cannot write in %1: %2</source>
        <translation>no se puede escribir en %1: %2</translation>
    </message>
    <message>
        <source>cannot move %1 into %2</source>
        <translation>no se puede mover %1 a %2</translation>
    </message>
    <message>
        <source>Cannot back up the %1 database %2: %3</source>
        <translation>No se puede hacer la copia de seguridad de la base de datos %1 %2: %3</translation>
    </message>
    <message>
        <source>Cannot read table %1: %2</source>
        <translation>No se puede leer la tabla %1: %2</translation>
    </message>
    <message>
        <source>Cannot write to table %1: %2</source>
        <translation>No se puede escribir en la tabla %1: %2</translation>
    </message>
    <message>
        <source>Cannot delete from table %1: %2</source>
        <translation>No se puede borrar de la tabla %1: %2</translation>
    </message>
    <message>
        <source>Cannot open table %1: no such table in the database</source>
        <translation>No se puede abrir la tabla %1: la base de datos no tiene esa tabla</translation>
    </message>
    <message>
        <source>Index field &apos;%1&apos; not found in table %2</source>
        <translation>No se encuentra el campo índice «%1» en la tabla %2</translation>
    </message>
    <message>
        <source>Cannot edit the record: another user deleted it</source>
        <translation>No se puede modificar el registro: otro usuario lo ha borrado</translation>
    </message>
    <message>
        <source>Key violation: another record already has %1 in field &apos;%2&apos;</source>
        <translation>Clave duplicada: otro registro ya tiene %1 en el campo «%2»</translation>
    </message>
    <message>
        <source>Couldn&apos;t perform the edit because another user changed the record</source>
        <translation>No se pudo hacer la modificación porque otro usuario ha cambiado el registro</translation>
    </message>
    <message>
        <source>Couldn&apos;t perform the edit because another user deleted the record</source>
        <translation>No se pudo hacer la modificación porque otro usuario ha borrado el registro</translation>
    </message>
    <message>
        <source>Cannot read table %1: the record just written is not there</source>
        <translation>No se puede leer la tabla %1: el registro recién escrito no está</translation>
    </message>
    <message>
        <source>Locate needs one value per field</source>
        <translation>La búsqueda necesita un valor por campo</translation>
    </message>
    <message>
        <source>text</source>
        <translation>texto</translation>
    </message>
    <message>
        <source>memo</source>
        <translation>memo</translation>
    </message>
    <message>
        <source>integer</source>
        <translation>entero</translation>
    </message>
    <message>
        <source>short integer</source>
        <translation>entero corto</translation>
    </message>
    <message>
        <source>date-time</source>
        <translation>fecha y hora</translation>
    </message>
</context>
</TS>
