<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>Backup</name>
    <message>
        <source>the database directory %1 does not exist</source>
        <translation>la carpeta de la base de datos %1 no existe</translation>
    </message>
    <message>
        <source>a backup goes into a directory of table files; to fill a server, use &apos;copy&apos;</source>
        <translation>una copia de seguridad se guarda en una carpeta de ficheros de tablas; para llenar un servidor, use &apos;copy&apos;</translation>
    </message>
    <message>
        <source>%1 exists and is not a directory</source>
        <translation>%1 existe y no es una carpeta</translation>
    </message>
    <message>
        <source>the backup must go to another directory than the database</source>
        <translation>la copia de seguridad debe ir a una carpeta distinta de la de la base de datos</translation>
    </message>
    <message>
        <source>%1 already holds a table (%2); back up into a new or empty directory</source>
        <translation>%1 ya contiene una tabla (%2); haga la copia de seguridad en una carpeta nueva o vacía</translation>
    </message>
    <message>
        <source>cannot create the directory %1</source>
        <translation>no se puede crear la carpeta %1</translation>
    </message>
    <message>
        <source>Checking the copy</source>
        <translation>Comprobando la copia</translation>
    </message>
    <message>
        <source>the backup does not pass the check: %1</source>
        <translation>la copia de seguridad no supera la comprobación: %1</translation>
    </message>
</context>
<context>
    <name>BackupCommand</name>
    <message>
        <source>copy every table to DEST, safely while the program runs</source>
        <translation>copia todas las tablas en DESTINO, sin riesgo aunque el programa esté abierto</translation>
    </message>
    <message>
        <source>Copies the fourteen tables of DIR into the directory DEST (created when missing; it must not hold tables yet). The copy shows the tables as they were at one moment, even while the program is running and selling, and is verified as &apos;check&apos; does before the command reports success. To restore, close the program and copy the files of DEST back into the database directory.</source>
        <translation>Copia las catorce tablas de DIR en la carpeta DESTINO (que se crea si no existe; no debe contener tablas todavía). La copia muestra las tablas tal como estaban en un mismo instante, aunque el programa esté abierto y vendiendo, y se comprueba como lo hace &apos;check&apos; antes de dar la orden por terminada. Para restaurarla, cierre el programa y copie los ficheros de DESTINO de vuelta en la carpeta de la base de datos.</translation>
    </message>
    <message>
        <source>the directory of the backup</source>
        <translation>la carpeta de la copia de seguridad</translation>
    </message>
    <message>
        <source>backup needs the database directory and the backup directory</source>
        <translation>backup necesita la carpeta de la base de datos y la carpeta de la copia de seguridad</translation>
    </message>
    <message>
        <source>Backing up</source>
        <translation>Haciendo la copia de seguridad</translation>
    </message>
    <message>
        <source>backed up %1 (%2, %3 KiB) to %4 in %5 s; the copy passes the check</source>
        <translation>copia de seguridad en %4: %1 (%2, %3 KiB) en %5 s; la copia supera la comprobación</translation>
    </message>
</context>
<context>
    <name>CheckCommand</name>
    <message>
        <source>verify the schema and integrity of every table in DIR</source>
        <translation>comprueba la estructura y la integridad de todas las tablas de DIR</translation>
    </message>
    <message>
        <source>Verifies every table of DIR: present, readable, of the right structure, undamaged, required fields filled and records in key order. Exits 1 and names every problem when something is wrong. Warns when other users of the computer can read the directory DIR.</source>
        <translation>Comprueba cada tabla de DIR: que exista, se pueda leer, tenga la estructura correcta y no esté dañada, que los campos obligatorios estén rellenos y los registros en el orden de la clave. Si algo falla, termina con el código 1 y nombra cada problema. Avisa cuando otros usuarios del ordenador pueden leer la carpeta DIR.</translation>
    </message>
    <message>
        <source>check needs one directory</source>
        <translation>check necesita una carpeta</translation>
    </message>
    <message>
        <source>Checking</source>
        <translation>Comprobando</translation>
    </message>
    <message>
        <source>Checking %1</source>
        <translation>Comprobando %1</translation>
    </message>
    <message>
        <source>warning: other users of this computer can read %1 (permissions %2); &apos;chmod 700&apos; on it keeps the shop&apos;s data to you</source>
        <translation>aviso: otros usuarios de este ordenador pueden leer %1 (permisos %2); con &apos;chmod 700&apos; sobre ella, los datos de la tienda quedan solo para usted</translation>
    </message>
    <message>
        <source>ok: %1 checked in %2</source>
        <translation>correcto: %1 comprobadas en %2</translation>
    </message>
    <message>
        <source>%1 found</source>
        <translation>hay %1</translation>
    </message>
    <message>
        <source>warning: other users of this computer can read %1 (permissions %2); &apos;chmod 600&apos; on it keeps it to you</source>
        <translation>aviso: otros usuarios de este ordenador pueden leer %1 (permisos %2); con &apos;chmod 600&apos; sobre él, queda solo para usted</translation>
    </message>
</context>
<context>
    <name>Command</name>
    <message>
        <source>show this help and exit</source>
        <translation>muestra esta ayuda y termina</translation>
    </message>
    <message>
        <source>show the version and exit</source>
        <translation>muestra la versión y termina</translation>
    </message>
    <message>
        <source>Usage: %1</source>
        <translation>Modo de empleo: %1</translation>
    </message>
    <message>
        <source>[OPTIONS]</source>
        <translation>[OPCIONES]</translation>
    </message>
    <message>
        <source>Arguments:</source>
        <translation>Argumentos:</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>Opciones:</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>opción desconocida &apos;%1&apos;</translation>
    </message>
    <message>
        <source>the option --%1 takes no value</source>
        <translation>la opción --%1 no admite ningún valor</translation>
    </message>
    <message>
        <source>the option --%1 needs a value</source>
        <translation>la opción --%1 necesita un valor</translation>
    </message>
    <message>
        <source>COMMAND [ARGUMENTS]</source>
        <translation>ORDEN [ARGUMENTOS]</translation>
    </message>
    <message>
        <source>Commands:</source>
        <translation>Órdenes:</translation>
    </message>
    <message>
        <source>DIR is a database: a directory of table files, or a PostgreSQL connection URI (postgresql://...). When YERBALIS_DATABASE is set, create, check, export, import, backup and report may leave DIR out: the database it names is used.</source>
        <translation>DIR es una base de datos: una carpeta de ficheros de tablas o una URI de conexión de PostgreSQL (postgresql://...). Si YERBALIS_DATABASE está definida, create, check, export, import, backup y report pueden omitir DIR: se usa la base de datos que esa variable indica.</translation>
    </message>
    <message>
        <source>Run &apos;yerbalis-admin COMMAND --help&apos; for the help of one command.</source>
        <translation>Ejecute &apos;yerbalis-admin ORDEN --help&apos; para ver la ayuda de una orden.</translation>
    </message>
    <message>
        <source>yerbalis-admin: unknown option &apos;%1&apos;</source>
        <translation>yerbalis-admin: opción desconocida &apos;%1&apos;</translation>
    </message>
    <message>
        <source>yerbalis-admin: unknown command &apos;%1&apos;</source>
        <translation>yerbalis-admin: orden desconocida &apos;%1&apos;</translation>
    </message>
</context>
<context>
    <name>Commands</name>
    <message>
        <source>the database: a directory of table files, or a PostgreSQL URI</source>
        <translation>la base de datos: una carpeta de ficheros de tablas o una URI de PostgreSQL</translation>
    </message>
    <message>
        <source>the table, for example Producto.db or producto</source>
        <translation>la tabla, por ejemplo Producto.db o producto</translation>
    </message>
    <message>
        <source>unknown encoding &apos;%1&apos;; the encodings are %2</source>
        <translation>codificación desconocida &apos;%1&apos;; las codificaciones son %2</translation>
    </message>
    <message>
        <source>&apos;%1&apos; cannot separate fields; give one character such as &apos;;&apos; or &apos;,&apos;, or &apos;tab&apos;</source>
        <translation>&apos;%1&apos; no sirve para separar campos; indique un solo carácter, como &apos;;&apos; o &apos;,&apos;, o bien &apos;tab&apos;</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a code page number (for example 850 or 1252)</source>
        <translation>&apos;%1&apos; no es un número de página de códigos (por ejemplo 850 o 1252)</translation>
    </message>
    <message>
        <source>DIR</source>
        <translation>DIR</translation>
    </message>
    <message>
        <source>TABLE</source>
        <translation>TABLA</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>FICHERO</translation>
    </message>
    <message>
        <source>DEST</source>
        <translation>DESTINO</translation>
    </message>
    <message>
        <source>FROM</source>
        <translation>ORIGEN</translation>
    </message>
    <message>
        <source>TO</source>
        <translation>DESTINO</translation>
    </message>
    <message>
        <source>DATE</source>
        <translation>FECHA</translation>
    </message>
    <message>
        <source>FILE.DB</source>
        <translation>FICHERO.DB</translation>
    </message>
    <message>
        <source>OUT</source>
        <translation>SALIDA</translation>
    </message>
    <message>
        <source>OLD_DIR</source>
        <translation>DIR_ANTIGUO</translation>
    </message>
</context>
<context>
    <name>Copy</name>
    <message>
        <source>the database directory %1 does not exist</source>
        <translation>la carpeta de la base de datos %1 no existe</translation>
    </message>
    <message>
        <source>%1 lacks the tables %2; run &apos;yerbalis-admin check&apos; on it</source>
        <translation>a %1 le faltan las tablas %2; ejecute &apos;yerbalis-admin check&apos; sobre ella</translation>
    </message>
    <message>
        <source>%1 already holds data: %2. The copy only fills a new or empty database, so that no record is mixed or lost</source>
        <translation>%1 ya contiene datos: %2. La copia solo llena una base de datos nueva o vacía, para que ningún registro se mezcle ni se pierda</translation>
    </message>
    <message>
        <source>Copying %1</source>
        <translation>Copiando %1</translation>
    </message>
    <message>
        <source>%1 cannot be copied onto itself</source>
        <translation>%1 no se puede copiar sobre sí misma</translation>
    </message>
    <message>
        <source>%1 is not a directory</source>
        <translation>%1 no es una carpeta</translation>
    </message>
    <message>
        <source>%1 is not empty and is not a database of this program (it lacks %2); name a new or empty directory</source>
        <translation>%1 no está vacía y no es una base de datos de este programa (le falta %2); indique una carpeta nueva o vacía</translation>
    </message>
    <message>
        <source>cannot create the directory %1</source>
        <translation>no se puede crear la carpeta %1</translation>
    </message>
    <message>
        <source>cannot write in %1: %2</source>
        <translation>no se puede escribir en %1: %2</translation>
    </message>
    <message>
        <source>cannot replace the empty directory %1</source>
        <translation>no se puede sustituir la carpeta vacía %1</translation>
    </message>
    <message>
        <source>cannot move the copy into %1</source>
        <translation>no se puede mover la copia a %1</translation>
    </message>
</context>
<context>
    <name>CopyCommand</name>
    <message>
        <source>copy the fourteen tables of one database into another</source>
        <translation>copia las catorce tablas de una base de datos en otra</translation>
    </message>
    <message>
        <source>Copies the records of the fourteen tables of the database FROM into the database TO; each is a directory of table files or a PostgreSQL URI (postgresql://...), so a shop moves from its files to a server and back. All or nothing: when anything fails, TO is left as it was. TO must not exist yet, be an empty directory, or hold only empty tables (as &apos;create&apos; makes them; on a server the missing tables are made). Close the program at every till first: sales recorded during the copy may be left out.</source>
        <translation>Copia los registros de las catorce tablas de la base de datos ORIGEN en la base de datos DESTINO; cada una es una carpeta de ficheros de tablas o una URI de PostgreSQL (postgresql://...), de modo que una tienda puede pasar de sus ficheros a un servidor y volver. Todo o nada: si algo falla, DESTINO queda como estaba. DESTINO no debe existir todavía, o debe ser una carpeta vacía o contener solo tablas vacías (como las crea &apos;create&apos;; en un servidor se crean las tablas que falten). Cierre antes el programa en todas las cajas: las ventas registradas durante la copia podrían quedar fuera.</translation>
    </message>
    <message>
        <source>the database to copy from</source>
        <translation>la base de datos de origen</translation>
    </message>
    <message>
        <source>the database to copy to</source>
        <translation>la base de datos de destino</translation>
    </message>
    <message>
        <source>copy needs the database to copy from and the database to copy to</source>
        <translation>copy necesita la base de datos de origen y la de destino</translation>
    </message>
    <message>
        <source>Copying</source>
        <translation>Copiando</translation>
    </message>
    <message>
        <source>copied %1 (%2) in %3 s</source>
        <translation>copia terminada: %1 (%2) en %3 s</translation>
    </message>
</context>
<context>
    <name>Counted</name>
    <message>
        <source>record</source>
        <translation>registro</translation>
    </message>
    <message>
        <source>records</source>
        <translation>registros</translation>
    </message>
    <message>
        <source>table</source>
        <translation>tabla</translation>
    </message>
    <message>
        <source>tables</source>
        <translation>tablas</translation>
    </message>
    <message>
        <source>field</source>
        <translation>campo</translation>
    </message>
    <message>
        <source>fields</source>
        <translation>campos</translation>
    </message>
    <message>
        <source>problem</source>
        <translation>problema</translation>
    </message>
    <message>
        <source>problems</source>
        <translation>problemas</translation>
    </message>
</context>
<context>
    <name>CreateCommand</name>
    <message>
        <source>create an empty database with the fourteen tables in DIR</source>
        <translation>crea en DIR una base de datos vacía con las catorce tablas</translation>
    </message>
    <message>
        <source>Creates DIR (when missing) with the fourteen empty tables. Tables that already exist are left as they are.</source>
        <translation>Crea DIR (si no existe) con las catorce tablas vacías. Las tablas que ya existen se dejan como están.</translation>
    </message>
    <message>
        <source>create needs one directory</source>
        <translation>create necesita una carpeta</translation>
    </message>
    <message>
        <source>cannot create the directory %1</source>
        <translation>no se puede crear la carpeta %1</translation>
    </message>
    <message>
        <source>exists:  %1</source>
        <translation>ya existe: %1</translation>
    </message>
    <message>
        <source>created: %1</source>
        <translation>creada:    %1</translation>
    </message>
    <message>
        <source>%1 created in %2</source>
        <translation>creación en %2: %1</translation>
    </message>
</context>
<context>
    <name>Csv</name>
    <message>
        <source>record %1 (line %2): the character &apos;%3&apos; (U+%4) cannot be written in %5</source>
        <translation>registro %1 (línea %2): el carácter &apos;%3&apos; (U+%4) no se puede escribir en %5</translation>
    </message>
    <message>
        <source>cannot write the output: %1</source>
        <translation>no se puede escribir la salida: %1</translation>
    </message>
    <message>
        <source>cannot read the input: %1</source>
        <translation>no se puede leer la entrada: %1</translation>
    </message>
    <message>
        <source>line 1: the file begins with the mark of UTF-8 text, not %1; import it without --encoding</source>
        <translation>línea 1: el fichero empieza con la marca de texto UTF-8, no %1; impórtelo sin --encoding</translation>
    </message>
    <message>
        <source>line 1: the file does not begin with text</source>
        <translation>línea 1: el fichero no empieza con texto</translation>
    </message>
    <message>
        <source>line %1: a quoted field that begins there is never closed</source>
        <translation>línea %1: un campo entre comillas que empieza ahí no se cierra nunca</translation>
    </message>
    <message>
        <source>line %1: text follows the closing quote of a field</source>
        <translation>línea %1: hay texto después de las comillas que cierran un campo</translation>
    </message>
    <message>
        <source>line %1: a quote inside a field that does not begin with a quote</source>
        <translation>línea %1: hay comillas dentro de un campo que no empieza con comillas</translation>
    </message>
</context>
<context>
    <name>Demo</name>
    <message>
        <source>%1 exists and is not a directory</source>
        <translation>%1 existe y no es una carpeta</translation>
    </message>
    <message>
        <source>%1 is not empty; the demonstration database needs a new or empty directory</source>
        <translation>%1 no está vacía; la base de datos de demostración necesita una carpeta nueva o vacía</translation>
    </message>
    <message>
        <source>sample record for %1 refused: %2</source>
        <translation>registro de ejemplo para %1 rechazado: %2</translation>
    </message>
    <message>
        <source>the demonstration database does not pass the check: %1</source>
        <translation>la base de datos de demostración no supera la comprobación: %1</translation>
    </message>
    <message>
        <source>the sample content %1 is missing from the program</source>
        <translation>falta en el programa el contenido de muestra %1</translation>
    </message>
    <message>
        <source>the sample sales lack their days or hours</source>
        <translation>a las ventas de muestra les faltan los días o las horas</translation>
    </message>
    <message>
        <source>sample sale on line %1 has %2 fields</source>
        <translation>la venta de muestra de la línea %1 tiene %2 campos</translation>
    </message>
</context>
<context>
    <name>DemoCommand</name>
    <message>
        <source>create a new database in DIR with sample content</source>
        <translation>crea en DIR una base de datos nueva con contenido de ejemplo</translation>
    </message>
    <message>
        <source>Creates a new database in DIR (which must not exist or be empty) filled with invented sample content in Spanish: every reference database, ten cards, thirty products and fifty sales at till 1 over the last five days, none later than now. Try the program on it with YERBALIS_DATA_DIR=DIR.</source>
        <translation>Crea en DIR (que no debe existir o debe estar vacía) una base de datos nueva con contenido de ejemplo inventado, en español: todas las bases de datos de consulta, diez fichas, treinta productos y cincuenta ventas en la caja 1 durante los últimos cinco días, ninguna posterior a este momento. Pruebe el programa con ella usando YERBALIS_DATA_DIR=DIR.</translation>
    </message>
    <message>
        <source>the directory of the new database</source>
        <translation>la carpeta de la base de datos nueva</translation>
    </message>
    <message>
        <source>demo needs one directory</source>
        <translation>demo necesita una carpeta</translation>
    </message>
    <message>
        <source>demonstration database created in %1; try it with</source>
        <translation>base de datos de demostración creada en %1; pruébela con</translation>
    </message>
</context>
<context>
    <name>ExportCommand</name>
    <message>
        <source>write a table as CSV to FILE (or standard output)</source>
        <translation>escribe una tabla como CSV en FICHERO (o en la salida estándar)</translation>
    </message>
    <message>
        <source>Writes the records of TABLE as CSV to FILE, or to standard output when FILE is missing or &apos;-&apos;. The first line names the fields; records are in the table&apos;s own order. Texts are UTF-8, dates YYYY-MM-DD HH:MM:SS; a field with a comma, a quote or a line break is quoted (RFC 4180). A text that begins with =, +, -, @, a tab or a carriage return gets an apostrophe in front, so that a spreadsheet shows it instead of running it as a formula (&apos;import&apos; takes the apostrophe away again). The table is read as it is at one moment, even while the program writes to it.</source>
        <translation>Escribe los registros de TABLA como CSV en FICHERO, o en la salida estándar si falta FICHERO o es &apos;-&apos;. La primera línea nombra los campos; los registros van en el orden propio de la tabla. Los textos van en UTF-8 y las fechas como AAAA-MM-DD HH:MM:SS; un campo con una coma, unas comillas o un salto de línea va entre comillas (RFC 4180). Un texto que empieza por =, +, -, @, un tabulador o un retorno de carro lleva delante un apóstrofo, para que una hoja de cálculo lo muestre en lugar de ejecutarlo como fórmula (&apos;import&apos; vuelve a quitar el apóstrofo). La tabla se lee tal como está en un mismo instante, aunque el programa esté escribiendo en ella.</translation>
    </message>
    <message>
        <source>the CSV file to write; &apos;-&apos; or none: standard output</source>
        <translation>el fichero CSV que se escribe; &apos;-&apos; o ninguno: la salida estándar</translation>
    </message>
    <message>
        <source>export needs a directory, a table and optionally a file</source>
        <translation>export necesita una carpeta, una tabla y, si quiere, un fichero</translation>
    </message>
    <message>
        <source>begin with a UTF-8 byte order mark, for spreadsheet programs that otherwise misread accents (&apos;import&apos; accepts either)</source>
        <translation>empieza con una marca de orden de bytes UTF-8, para las hojas de cálculo que sin ella leen mal los acentos (&apos;import&apos; acepta ambas formas)</translation>
    </message>
    <message>
        <source>separate fields with C instead of a comma (&apos;;&apos;, or &apos;tab&apos;)</source>
        <translation>separa los campos con C en lugar de una coma (&apos;;&apos; o &apos;tab&apos;)</translation>
    </message>
    <message>
        <source>write E instead of UTF-8: windows-1252 or iso-8859-1; a text with a character E lacks stops the export</source>
        <translation>escribe en la codificación E en lugar de UTF-8: windows-1252 o iso-8859-1; un texto con un carácter que E no tiene detiene la exportación</translation>
    </message>
    <message>
        <source>write every text as it is, without that apostrophe (import such a file with --no-neutralise too)</source>
        <translation>escribe cada texto tal como es, sin ese apóstrofo (importe ese fichero también con --no-neutralise)</translation>
    </message>
    <message>
        <source>--bom marks UTF-8 text; it does not go with another --encoding</source>
        <translation>--bom marca un texto UTF-8; no se puede combinar con otra --encoding</translation>
    </message>
    <message>
        <source>Exporting %1</source>
        <translation>Exportando %1</translation>
    </message>
    <message>
        <source>cannot write to standard output</source>
        <translation>no se puede escribir en la salida estándar</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>no se puede escribir %1: %2</translation>
    </message>
    <message>
        <source>exported %1 of %2 in %3 s</source>
        <translation>%2 exportada: %1 en %3 s</translation>
    </message>
</context>
<context>
    <name>ImportCommand</name>
    <message>
        <source>add the records of a CSV file to a table, all or nothing</source>
        <translation>añade a una tabla los registros de un fichero CSV, todos o ninguno</translation>
    </message>
    <message>
        <source>Adds the records of the CSV file FILE to TABLE. The first line names the fields (in any order; fields left out stay empty). Every record is checked: integers (whole numbers) and dates readable, texts no longer than their field, required fields filled, no repeated product code. Dates are YYYY-MM-DD HH:MM:SS or, when the system&apos;s regional settings put the day first (es_ES), also as spreadsheets write them: 9/12/2026 10:15, 09/12/26 10:15:00. Either every record is imported or, at the first record that breaks a rule, none is: the message names the row, the field and the problem. The apostrophe that &apos;export&apos; puts before a text beginning with =, +, -, @, a tab or a carriage return is taken away.
When records of the file have keys that the table already holds (the same text in the table&apos;s index field; in Producto.db the same Codigo), nothing is imported: the message counts them (exit code 1), so that importing a file twice never doubles its records; either choice below loses one version, so the choice is yours.</source>
        <translation>Añade a TABLA los registros del fichero CSV FICHERO. La primera línea nombra los campos (en cualquier orden; los campos que falten quedan vacíos). Se comprueba cada registro: enteros (números sin decimales) y fechas legibles, textos no más largos que su campo, campos obligatorios rellenos y ningún código de producto repetido. Las fechas van como AAAA-MM-DD HH:MM:SS o, si la configuración regional del sistema pone el día primero (es_ES), también como las escriben las hojas de cálculo: 9/12/2026 10:15, 09/12/26 10:15:00. O se importan todos los registros o, en el primero que incumple una regla, ninguno: el mensaje nombra la fila, el campo y el problema. Se quita el apóstrofo que &apos;export&apos; pone delante de un texto que empieza por =, +, -, @, un tabulador o un retorno de carro.
Si hay registros del fichero con claves que la tabla ya tiene (el mismo texto en el campo índice de la tabla; en Producto.db el mismo Codigo), no se importa nada: el mensaje los cuenta (código de salida 1), para que importar dos veces un fichero nunca duplique sus registros; cualquiera de las dos opciones siguientes pierde una de las versiones, así que la elección es suya.</translation>
    </message>
    <message>
        <source>the CSV file to read; &apos;-&apos;: standard input</source>
        <translation>el fichero CSV que se lee; &apos;-&apos;: la entrada estándar</translation>
    </message>
    <message>
        <source>import needs a directory, a table and a file</source>
        <translation>import necesita una carpeta, una tabla y un fichero</translation>
    </message>
    <message>
        <source>delete the table&apos;s records first (undone, too, on failure)</source>
        <translation>borra antes los registros de la tabla (también se deshace si algo falla)</translation>
    </message>
    <message>
        <source>keep the table&apos;s records and leave out the file&apos;s records with the same keys; the others are added</source>
        <translation>conserva los registros de la tabla y deja fuera los del fichero con las mismas claves; los demás se añaden</translation>
    </message>
    <message>
        <source>fields are separated by C; without it the header line decides between &apos;,&apos;, &apos;;&apos; and tab</source>
        <translation>los campos van separados por C; sin esta opción, la línea de cabecera decide entre &apos;,&apos;, &apos;;&apos; y el tabulador</translation>
    </message>
    <message>
        <source>the file is in E: utf-8 (the default), windows-1252 or iso-8859-1 (as spreadsheets in Spanish often save it)</source>
        <translation>el fichero está en E: utf-8 (la predeterminada), windows-1252 o iso-8859-1 (como suelen guardarlo las hojas de cálculo en español)</translation>
    </message>
    <message>
        <source>take every text as it stands, apostrophes included (for a file exported with --no-neutralise)</source>
        <translation>toma cada texto tal como está, apóstrofos incluidos (para un fichero exportado con --no-neutralise)</translation>
    </message>
    <message>
        <source>--replace and --skip-existing exclude each other</source>
        <translation>--replace y --skip-existing no se pueden usar juntas</translation>
    </message>
    <message>
        <source>cannot read standard input</source>
        <translation>no se puede leer la entrada estándar</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>no se puede leer %1: %2</translation>
    </message>
    <message>
        <source>Importing into %1</source>
        <translation>Importando en %1</translation>
    </message>
    <message>
        <source>cannot import into %1: %2
Nothing was imported; the table is unchanged.</source>
        <translation>no se puede importar en %1: %2
No se ha importado nada; la tabla no ha cambiado.</translation>
    </message>
    <message>
        <source>imported %1 into %2 (replacing its records)</source>
        <translation>importación en %2 (sustituyendo sus registros): %1</translation>
    </message>
    <message>
        <source>imported %1 into %2</source>
        <translation>importación en %2: %1</translation>
    </message>
    <message>
        <source>; skipped 1 record whose key is already in the table</source>
        <translation>; omitido 1 registro cuya clave ya está en la tabla</translation>
    </message>
    <message>
        <source>; skipped %1 records whose keys are already in the table</source>
        <translation>; omitidos %1 registros cuyas claves ya están en la tabla</translation>
    </message>
    <message>
        <source>%1 in %2 s</source>
        <translation>%1 en %2 s</translation>
    </message>
</context>
<context>
    <name>MigrateCommand</name>
    <message>
        <source>bring the old Paradox tables of OLD_DIR into DIR</source>
        <translation>pasa a DIR las antiguas tablas Paradox de DIR_ANTIGUO</translation>
    </message>
    <message>
        <source>Brings the fourteen tables of an old database directory (a copy of C:\YERBA1) into the database DIR. File and field names are matched without regard to case; every record is checked by the rules of the tables (text sizes, numbers, dates, required fields). All or nothing: at the first record that breaks a rule nothing is written, and the message names the table, the record and the field. A table missing in OLD_DIR, or found twice in it (Producto.db and PRODUCTO.DB), stops the migration before it writes. DIR must not exist, be an empty directory, or hold only empty tables (as &apos;create&apos; makes them): the migration never mixes old records with others.</source>
        <translation>Pasa a la base de datos DIR las catorce tablas de una antigua carpeta de base de datos (una copia de C:\YERBA1). Los nombres de ficheros y campos se reconocen sin distinguir mayúsculas de minúsculas; cada registro se comprueba con las reglas de las tablas (longitud de los textos, números, fechas, campos obligatorios). Todo o nada: en el primer registro que incumple una regla no se escribe nada, y el mensaje nombra la tabla, el registro y el campo. Una tabla que falta en DIR_ANTIGUO, o que aparece dos veces (Producto.db y PRODUCTO.DB), detiene la migración antes de escribir. DIR no debe existir, o debe ser una carpeta vacía o contener solo tablas vacías (como las crea &apos;create&apos;): la migración nunca mezcla los registros antiguos con otros.</translation>
    </message>
    <message>
        <source>the directory of the old tables</source>
        <translation>la carpeta de las tablas antiguas</translation>
    </message>
    <message>
        <source>the directory of the new database</source>
        <translation>la carpeta de la base de datos nueva</translation>
    </message>
    <message>
        <source>migrate needs the old directory and the database directory</source>
        <translation>migrate necesita la carpeta antigua y la carpeta de la base de datos</translation>
    </message>
    <message>
        <source>read and check everything as the migration does, write nothing</source>
        <translation>lee y comprueba todo como lo hace la migración, sin escribir nada</translation>
    </message>
    <message>
        <source>leave the tables missing in OLD_DIR empty</source>
        <translation>deja vacías las tablas que faltan en DIR_ANTIGUO</translation>
    </message>
    <message>
        <source>read the texts in code page N, whatever the tables say</source>
        <translation>lee los textos en la página de códigos N, digan lo que digan las tablas</translation>
    </message>
    <message>
        <source>%1 has no file for %2 (looked for without regard to case), which would be left empty. Copy it from the old computer, or run the migration again with --allow-missing to leave it empty</source>
        <translation>%1 no tiene ningún fichero para %2 (buscado sin distinguir mayúsculas de minúsculas), que quedaría vacía. Cópiela del ordenador antiguo o vuelva a ejecutar la migración con --allow-missing para dejarla vacía</translation>
    </message>
    <message>
        <source>%1 has no file for %2 (looked for without regard to case), which would be left empty. Copy them from the old computer, or run the migration again with --allow-missing to leave them empty</source>
        <translation>%1 no tiene ningún fichero para %2 (buscados sin distinguir mayúsculas de minúsculas), que quedarían vacías. Cópielas del ordenador antiguo o vuelva a ejecutar la migración con --allow-missing para dejarlas vacías</translation>
    </message>
    <message>
        <source>Migrating</source>
        <translation>Migrando</translation>
    </message>
    <message>
        <source>%1
Nothing was written; %2 is unchanged.</source>
        <translation>%1
No se ha escrito nada; %2 no ha cambiado.</translation>
    </message>
    <message>
        <source> read %1  written %2</source>
        <translation> leídos %1  escritos %2</translation>
    </message>
    <message>
        <source>  (missing in %1: left empty)</source>
        <translation>  (falta en %1: queda vacía)</translation>
    </message>
    <message>
        <source>  from %1</source>
        <translation>  de %1</translation>
    </message>
    <message>
        <source>note: %1</source>
        <translation>nota: %1</translation>
    </message>
    <message>
        <source>dry run: %1 read and checked, nothing written to %2 (%3 s)</source>
        <translation>ensayo: lectura y comprobación de %1, sin escribir nada en %2 (%3 s)</translation>
    </message>
    <message>
        <source>%1 read, %2 written into %3 in %4 s</source>
        <translation>leídos: %1; escritos en %3: %2, en %4 s</translation>
    </message>
</context>
<context>
    <name>Paradox</name>
    <message>
        <source>cannot migrate %1: the old directory holds %2 files for it, %3. Keep the one with the shop&apos;s records and move the other away, then run the migration again</source>
        <translation>no se puede migrar %1: la carpeta antigua tiene %2 ficheros para ella, %3. Conserve el que tiene los registros de la tienda, saque el otro de la carpeta y vuelva a ejecutar la migración</translation>
    </message>
    <message>
        <source> and </source>
        <translation> y </translation>
    </message>
    <message>
        <source>cannot read table %1: %2</source>
        <translation>no se puede leer la tabla %1: %2</translation>
    </message>
    <message>
        <source>%1 is not a directory</source>
        <translation>%1 no es una carpeta</translation>
    </message>
    <message>
        <source>%1 already holds data: %2. The migration only fills a new or empty database, so that no record is mixed or lost; name a new directory.</source>
        <translation>%1 ya contiene datos: %2. La migración solo llena una base de datos nueva o vacía, para que ningún registro se mezcle ni se pierda; indique una carpeta nueva.</translation>
    </message>
    <message>
        <source>%1 is not empty and is not a database of this program (it lacks %2); name a new or empty directory</source>
        <translation>%1 no está vacía y no es una base de datos de este programa (le falta %2); indique una carpeta nueva o vacía</translation>
    </message>
    <message>
        <source>record %1</source>
        <translation>registro %1</translation>
    </message>
    <message>
        <source>not found in the old directory: left empty</source>
        <translation>no está en la carpeta antigua: queda vacía</translation>
    </message>
    <message>
        <source>cannot migrate %1 from %2: the old table has no field &apos;%3&apos;, which every record needs (its fields are %4)</source>
        <translation>no se puede migrar %1 desde %2: la tabla antigua no tiene el campo &apos;%3&apos;, que todo registro necesita (sus campos son %4)</translation>
    </message>
    <message>
        <source>field &apos;%1&apos; is not in the old table: left empty</source>
        <translation>el campo &apos;%1&apos; no está en la tabla antigua: queda vacío</translation>
    </message>
    <message>
        <source>field &apos;%1&apos; is a %2 field in the old table and holds no text: left empty</source>
        <translation>el campo &apos;%1&apos; es de tipo %2 en la tabla antigua y no contiene texto: queda vacío</translation>
    </message>
    <message>
        <source>field &apos;%1&apos; of the old table has no place in %2: left out</source>
        <translation>el campo &apos;%1&apos; de la tabla antigua no tiene sitio en %2: se deja fuera</translation>
    </message>
    <message>
        <source>cannot migrate %1 from %2: the old field &apos;%3&apos; holds no text, and every record needs one</source>
        <translation>no se puede migrar %1 desde %2: el campo antiguo &apos;%3&apos; no contiene texto, y todo registro lo necesita</translation>
    </message>
    <message>
        <source>the migration writes a directory of table files: migrate into a new directory, then bring it to %1 with &apos;yerbalis-admin copy DIR URI&apos;</source>
        <translation>la migración escribe una carpeta de ficheros de tablas: migre a una carpeta nueva y después pásela a %1 con &apos;yerbalis-admin copy DIR URI&apos;</translation>
    </message>
    <message>
        <source>the old database directory %1 does not exist</source>
        <translation>la carpeta de la base de datos antigua %1 no existe</translation>
    </message>
    <message>
        <source>the old and the new database directory are the same (%1)</source>
        <translation>la carpeta de la base de datos antigua y la de la nueva son la misma (%1)</translation>
    </message>
    <message>
        <source>cannot create the directory %1</source>
        <translation>no se puede crear la carpeta %1</translation>
    </message>
    <message>
        <source>cannot create a working directory: %1</source>
        <translation>no se puede crear una carpeta de trabajo: %1</translation>
    </message>
    <message>
        <source>%1 received records while the migration began; nothing was written</source>
        <translation>%1 recibió registros mientras empezaba la migración; no se ha escrito nada</translation>
    </message>
    <message>
        <source>Migrating %1</source>
        <translation>Migrando %1</translation>
    </message>
    <message>
        <source>cannot migrate %1 from %2: %3</source>
        <translation>no se puede migrar %1 desde %2: %3</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>no se puede escribir %1: %2</translation>
    </message>
    <message>
        <source>cannot replace the empty directory %1</source>
        <translation>no se puede sustituir la carpeta vacía %1</translation>
    </message>
    <message>
        <source>cannot move the new database into %1</source>
        <translation>no se puede mover la base de datos nueva a %1</translation>
    </message>
</context>
<context>
    <name>ParadoxCommand</name>
    <message>
        <source>show an old Paradox table as CSV</source>
        <translation>muestra como CSV una antigua tabla Paradox</translation>
    </message>
    <message>
        <source>Shows an old Paradox table (file versions 3 to 7) as CSV, in the form &apos;export&apos; writes: a first line with the field names, texts in UTF-8, memo texts (from FILE.MB beside it) with their line breaks, dates YYYY-MM-DD, times HH:MM:SS, timestamps YYYY-MM-DD HH:MM:SS. A summary of the table goes to standard error. Binary, graphic and OLE fields come out empty.</source>
        <translation>Muestra como CSV una antigua tabla Paradox (versiones de fichero 3 a 7), en la forma en que escribe &apos;export&apos;: una primera línea con los nombres de los campos, textos en UTF-8, textos de memo (del FICHERO.MB que la acompaña) con sus saltos de línea, fechas AAAA-MM-DD, horas HH:MM:SS y marcas de tiempo AAAA-MM-DD HH:MM:SS. Un resumen de la tabla va a la salida de errores. Los campos binarios, gráficos y OLE salen vacíos.</translation>
    </message>
    <message>
        <source>the old table</source>
        <translation>la tabla antigua</translation>
    </message>
    <message>
        <source>paradox needs one table file</source>
        <translation>paradox necesita un fichero de tabla</translation>
    </message>
    <message>
        <source>write the CSV to OUT instead of standard output</source>
        <translation>escribe el CSV en SALIDA en lugar de en la salida estándar</translation>
    </message>
    <message>
        <source>read the texts in code page N (850, 1252 ...), whatever the table says</source>
        <translation>lee los textos en la página de códigos N (850, 1252...), diga lo que diga la tabla</translation>
    </message>
    <message>
        <source>%1: Paradox %2 table (version byte %3), %4, %5, texts in %6</source>
        <translation>%1: tabla Paradox %2 (byte de versión %3), %4, %5, textos en %6</translation>
    </message>
    <message>
        <source>note: %1</source>
        <translation>nota: %1</translation>
    </message>
    <message>
        <source>Reading %1</source>
        <translation>Leyendo %1</translation>
    </message>
    <message>
        <source>cannot write to standard output</source>
        <translation>no se puede escribir en la salida estándar</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>no se puede escribir %1: %2</translation>
    </message>
    <message>
        <source>read %1 of %2</source>
        <translation>lectura de %2: %1</translation>
    </message>
</context>
<context>
    <name>Report</name>
    <message>
        <source>the database directory %1 does not exist</source>
        <translation>la carpeta de la base de datos %1 no existe</translation>
    </message>
    <message>
        <source>cannot read table %1: %2</source>
        <translation>no se puede leer la tabla %1: %2</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>(no date)</source>
        <translation>(sin fecha)</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>Día</translation>
    </message>
    <message>
        <source>Till</source>
        <translation>Caja</translation>
    </message>
    <message>
        <source>Sales</source>
        <translation>Ventas</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>Importe</translation>
    </message>
</context>
<context>
    <name>ReportCommand</name>
    <message>
        <source>number of sales and total amount per day</source>
        <translation>número de ventas e importe total por día</translation>
    </message>
    <message>
        <source>Prints for every day with sales the number of sales and their total amount, then the grand total. DATE is YYYY-MM-DD; both ends are included.</source>
        <translation>Muestra, para cada día con ventas, el número de ventas y su importe total, y después el total general. FECHA se escribe AAAA-MM-DD; los dos extremos se incluyen.</translation>
    </message>
    <message>
        <source>report needs one directory</source>
        <translation>report necesita una carpeta</translation>
    </message>
    <message>
        <source>the first day of the report</source>
        <translation>el primer día del informe</translation>
    </message>
    <message>
        <source>the last day of the report</source>
        <translation>el último día del informe</translation>
    </message>
    <message>
        <source>one line per till and day, and a total per till</source>
        <translation>una línea por caja y día, y un total por caja</translation>
    </message>
    <message>
        <source>write CSV (Day,Sales,Amount; with --by-till Day,Till,Sales,Amount) instead of a table</source>
        <translation>escribe CSV (Day,Sales,Amount; con --by-till Day,Till,Sales,Amount) en lugar de una tabla</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a date; write it as YYYY-MM-DD</source>
        <translation>&apos;%1&apos; no es una fecha; escríbala como AAAA-MM-DD</translation>
    </message>
    <message>
        <source>the period ends before it begins</source>
        <translation>el periodo termina antes de empezar</translation>
    </message>
    <message>
        <source>Adding up the sales</source>
        <translation>Sumando las ventas</translation>
    </message>
</context>
<context>
    <name>TableTransfer</name>
    <message>
        <source>row %1 (line %2)</source>
        <translation>fila %1 (línea %2)</translation>
    </message>
    <message>
        <source>if the file was saved in another encoding, name it with --encoding (for example --encoding windows-1252)</source>
        <translation>si el fichero se guardó con otra codificación, indíquela con --encoding (por ejemplo --encoding windows-1252)</translation>
    </message>
    <message>
        <source>there is no table &apos;%1&apos;; the tables are %2</source>
        <translation>no hay ninguna tabla &apos;%1&apos;; las tablas son %2</translation>
    </message>
    <message>
        <source>the database directory %1 does not exist</source>
        <translation>la carpeta de la base de datos %1 no existe</translation>
    </message>
    <message>
        <source>cannot read table %1: %2</source>
        <translation>no se puede leer la tabla %1: %2</translation>
    </message>
    <message>
        <source>line 1: the header names a field &apos;%1&apos; that %2 does not have (its fields are %3)</source>
        <translation>línea 1: la cabecera nombra un campo &apos;%1&apos; que %2 no tiene (sus campos son %3)</translation>
    </message>
    <message>
        <source>line 1: the header names the field &apos;%1&apos; twice</source>
        <translation>línea 1: la cabecera nombra dos veces el campo &apos;%1&apos;</translation>
    </message>
    <message>
        <source>line 1: the header lacks the required field &apos;%1&apos;</source>
        <translation>línea 1: a la cabecera le falta el campo obligatorio &apos;%1&apos;</translation>
    </message>
    <message>
        <source>cannot write to table %1: %2</source>
        <translation>no se puede escribir en la tabla %1: %2</translation>
    </message>
    <message>
        <source>%1, field &apos;%2&apos;: %3</source>
        <translation>%1, campo &apos;%2&apos;: %3</translation>
    </message>
    <message>
        <source>another record already has the value %1</source>
        <translation>otro registro ya tiene el valor %1</translation>
    </message>
    <message>
        <source>the table refuses the record: %1</source>
        <translation>la tabla rechaza el registro: %1</translation>
    </message>
    <message>
        <source>the import has already ended</source>
        <translation>la importación ya ha terminado</translation>
    </message>
    <message>
        <source>it has %1 where the header names %2</source>
        <translation>tiene %1 donde la cabecera nombra %2</translation>
    </message>
    <message>
        <source>%1 of the file %2 already in the table (the first: %3, row %4). Run the import again with --skip-existing to keep the table&apos;s records and add only the others, or with --replace to replace all the records of the table by those of the file</source>
        <translation>%1 del fichero %2 ya en la tabla (el primero: %3, fila %4). Vuelva a importar con --skip-existing para conservar los registros de la tabla y añadir solo los demás, o con --replace para sustituir todos los registros de la tabla por los del fichero</translation>
    </message>
    <message>
        <source>has a key that is</source>
        <translation>tiene una clave que está</translation>
    </message>
    <message>
        <source>have keys that are</source>
        <translation>tienen claves que están</translation>
    </message>
    <message>
        <source>%1 has no key field, so there are no existing keys to skip</source>
        <translation>%1 no tiene campo clave, así que no hay claves existentes que omitir</translation>
    </message>
    <message>
        <source>the file is empty: its first line must name the fields</source>
        <translation>el fichero está vacío: su primera línea debe nombrar los campos</translation>
    </message>
    <message>
        <source>line 1: the header is not valid UTF-8; %1</source>
        <translation>línea 1: la cabecera no es UTF-8 válido; %1</translation>
    </message>
    <message>
        <source>row %1, %2</source>
        <translation>fila %1, %2</translation>
    </message>
    <message>
        <source>Writing %1</source>
        <translation>Escribiendo %1</translation>
    </message>
</context>
</TS>
