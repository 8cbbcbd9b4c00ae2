// The sample content of the demonstration database. Every name, text, person,
// address and telephone number here is invented for the demonstration.

#include "tools/Demo.h"

#include <QDateTime>
#include <algorithm>

namespace yb::admin {

namespace {

// Paragraphs appended to some records so that their texts are long enough to scroll.
const char* const kLongParagraphs[] = {
    "Conviene recordar que las plantas medicinales no sustituyen el consejo del médico. Ante síntomas que "
    "duran más de una semana, que empeoran o que aparecen acompañados de fiebre alta, acuda a su centro de salud.",
    "Durante el embarazo y la lactancia, en niños pequeños y en personas que toman medicación de forma "
    "habitual, consulte siempre antes de empezar cualquier tratamiento natural, aunque parezca inofensivo.",
    "Las infusiones se preparan con agua recién hervida que se vierte sobre la planta; se tapa la taza y se deja "
    "reposar de cinco a diez minutos. Las raíces y cortezas, en cambio, se hierven suavemente (decocción) "
    "durante unos diez minutos antes de colar.",
    "Guarde las plantas secas en tarros de cristal opaco, bien cerrados, lejos de la luz, del calor y de la "
    "humedad. Una planta que ha perdido el color o el aroma ha perdido también buena parte de sus propiedades.",
    "Una alimentación variada, rica en verduras, frutas, legumbres y cereales integrales, el descanso suficiente "
    "y un poco de ejercicio diario son la base sobre la que cualquier remedio natural puede ayudar.",
    "Anote en esta ficha las observaciones de los clientes: qué les ha sentado bien, qué no han tolerado y "
    "cuánto tiempo han seguido el tratamiento. Con los años, esas notas valen más que cualquier libro.",
};

QString longText()
{
    QStringList ps;
    for (const char* p : kLongParagraphs)
        ps << QString::fromUtf8(p);
    return ps.join(QStringLiteral("\n\n"));
}

// A reference table given as "Key|memo|memo…" entries, memos in the order of `columns` after the key.
DemoTable reference(const char* file, QStringList columns, std::initializer_list<const char*> entries)
{
    DemoTable t;
    t.fileName = QString::fromUtf8(file);
    t.columns = columns;
    int i = 0;
    for (const char* e : entries) {
        QStringList values = QString::fromUtf8(e).split(QLatin1Char('|'));
        while (values.size() < columns.size())
            values << QString();
        // Every fifth record, starting with the third, gets a long text in its last memo.
        if (i % 5 == 2)
            values.last() += (values.last().isEmpty() ? QString() : QStringLiteral("\n\n")) + longText();
        t.records << values;
        ++i;
    }
    return t;
}

QString s(const char* utf8) { return QString::fromUtf8(utf8); }

} // namespace

QList<DemoTable> demoContent(const QDateTime& now)
{
    QList<DemoTable> list;

    list << reference(
        "Cosmetic.DB", {s("Producto Cosmetico"), s("Indicaciones"), s("Modo Empleo")},
        {
            "Crema de caléndula|Pieles secas, irritadas o agrietadas; rozaduras y pequeñas rojeces.|Aplicar una capa "
            "fina sobre la piel limpia dos veces al día y extender con un suave masaje.",
            "Aceite de rosa mosqueta|Cicatrices recientes, estrías y manchas leves de la piel.|Unas gotas por la noche "
            "sobre la zona, masajeando en círculos hasta su absorción.",
            "Gel de áloe vera|Quemaduras solares leves, picaduras e irritación tras el afeitado.|Extender una capa "
            "generosa y dejar secar al aire. Se puede guardar en la nevera para un efecto más refrescante.",
            "champú de ortiga y romero|Cabello graso y caspa; cuero cabelludo con picor.|Aplicar sobre el cabello "
            "mojado, dejar actuar dos minutos y aclarar con agua tibia.",
            "Bálsamo labial de karité|Labios agrietados por el frío o el viento.|Aplicar tantas veces como sea "
            "necesario.",
            "Jabón de avena y miel|Pieles sensibles y atópicas; higiene diaria de bebés y mayores.|Humedecer, hacer "
            "espuma entre las manos y aclarar bien.",
            "Tónico de agua de rosas|Pieles apagadas; cierra el poro después de la limpieza.|Con un algodón, mañana y "
            "noche, antes de la crema hidratante.",
            "Mascarilla de arcilla verde|Pieles mixtas y grasas, granitos ocasionales.|Mezclar una cucharada con agua "
            "hasta formar una pasta, aplicar diez minutos y retirar antes de que se seque del todo.",
            "Crema de manos de almendras dulces|Manos ásperas por el trabajo o el agua fría.|Aplicar después de cada "
            "lavado.",
            "Aceite de árnica para masaje|Golpes, contusiones y músculos cargados tras el deporte.|Masajear la zona "
            "dolorida sin aplicar sobre heridas abiertas.",
            "DESODORANTE DE PIEDRA DE ALUMBRE|Higiene diaria, sin perfume.|Humedecer la piedra y pasarla por la axila "
            "limpia y seca.",
            "Leche limpiadora de pepino|Desmaquillado suave de rostro y cuello.|Aplicar con las yemas de los dedos y "
            "retirar con un algodón o una toallita húmeda.",
            "Sérum de vitamina E|Piel madura o castigada por el sol.|Dos o tres gotas por la noche, antes de la crema.",
            "Crema de pies con árbol del té|Pies cansados, durezas y mal olor.|Aplicar por la noche insistiendo en "
            "talones y entre los dedos.",
            "Protector solar mineral SPF 30|Protección frente al sol en pieles claras y sensibles.|Aplicar media hora "
            "antes de la exposición y renovar cada dos horas y después del baño.",
            "Agua micelar de manzanilla|Ojos sensibles y pieles reactivas.|Empapar un disco de algodón y pasarlo sin "
            "frotar.",
        });

    list << reference(
        "DIAGNOST.DB", {s("Sintomas"), s("Diagnostico"), s("Obsevaciones"), s("Suplementos")},
        {
            "Cansancio por las mañanas|Puede deberse a un descanso insuficiente, a falta de hierro o a una "
            "alimentación pobre.|Revisar horarios de sueño; si persiste más de un mes, análisis de sangre.|Jalea real, "
            "levadura de cerveza.",
            "Ardor de estómago después de comer|Digestiones pesadas, comidas copiosas o grasientas.|Evitar acostarse "
            "justo después de cenar y reducir el café.|Infusión de regaliz (no en hipertensos), papaya.",
            "Dolor de cabeza al final del día|Tensión muscular en cuello y hombros, vista cansada, poca "
            "agua.|Descansar la vista cada hora y beber a lo largo del día.|Magnesio, infusión de melisa.",
            "insomnio de primera hora|Dificultad para conciliar el sueño por nervios o preocupaciones.|Cenar ligero, "
            "apagar pantallas una hora antes de acostarse.|Valeriana, pasiflora, tila.",
            "Piernas pesadas en verano|Mala circulación de retorno, muchas horas de pie.|Caminar, elevar las piernas "
            "al descansar y duchas de agua fría.|Castaño de Indias, rusco, vid roja.",
            "Uñas frágiles que se abren|Falta de proteínas o de minerales; contacto frecuente con detergentes.|Usar "
            "guantes para fregar.|Cola de caballo, levadura de cerveza, silicio.",
            "Resfriados frecuentes en invierno|Defensas bajas.|Abrigarse, ventilar la casa y lavarse a menudo las "
            "manos.|Equinácea, própolis, vitamina C.",
            "Estreñimiento ocasional|Poca fibra y poca agua; vida sedentaria.|Aumentar frutas, verduras y legumbres; "
            "caminar a diario.|Semillas de lino, ciruelas pasas, salvado.",
            "Gases y digestión lenta|Comer deprisa, bebidas con gas, legumbres mal cocinadas.|Masticar despacio y "
            "cocer las legumbres con comino o laurel.|Hinojo, anís verde, menta.",
            "Nerviosismo antes de los exámenes|Ansiedad pasajera.|Respiración lenta y pausas cortas cada hora de "
            "estudio.|Melisa, azahar, fósforo.",
            "Caída del cabello en otoño|Caída estacional, normal en esta época.|Si es abundante o dura más de tres "
            "meses, consultar.|Levadura de cerveza, biotina, mijo.",
            "Retención de líquidos|Exceso de sal, calor, cambios hormonales.|Reducir la sal y los embutidos.|Cola de "
            "caballo, diente de león, abedul.",
            "Garganta irritada|Cambios de temperatura, hablar mucho, aire seco.|Evitar el tabaco y las bebidas muy "
            "frías.|Própolis, miel con limón, tomillo.",
            "Falta de apetito en niños|Etapas de crecimiento, cambios de rutina.|Consultar con el pediatra si pierde "
            "peso.|Jalea real infantil.",
            "Calambres nocturnos|Falta de magnesio o de potasio, esfuerzo físico.|Estirar los gemelos antes de "
            "acostarse.|Magnesio, plátano en la dieta.",
            "Ojeras y mal aspecto|Cansancio, poco descanso, falta de hierro.|Dormir ocho horas; compresas frías de "
            "manzanilla.|Hierro, espirulina.",
        });

    list << reference(
        "DIETAS.DB", {s("Dieta"), s("Dasayuno-Comida-Cena"), s("Observaciones"), s("ComplementosDieteticos")},
        {
            "Dieta mediterránea de mantenimiento|Desayuno: pan integral con aceite de oliva y tomate, una "
            "fruta.\nComida: legumbres con verduras, pescado a la plancha, ensalada.\nCena: crema de calabacín, "
            "tortilla francesa, yogur.|Equilibrada para adultos sanos.|Ninguno en especial.",
            "Dieta depurativa de tres días|Desayuno: zumo de naranja y manzana, infusión de diente de león.\nComida: "
            "caldo de verduras, arroz integral con alcachofas.\nCena: verduras al vapor y una pera.|No seguir más de "
            "tres días seguidos.|Alcachofa, cardo mariano.",
            "Dieta rica en hierro|Desayuno: copos de avena con pasas y almendras.\nComida: lentejas con verduras y "
            "pimiento; de postre, naranja o kiwi.\nCena: mejillones al vapor, espinacas salteadas.|Tomar la vitamina C "
            "junto a la comida para absorber mejor el hierro.|Hierro, espirulina.",
            "dieta para el estreñimiento|Desayuno: yogur con semillas de lino y ciruelas.\nComida: garbanzos con "
            "acelgas, ensalada de zanahoria.\nCena: sopa de verduras y pescado blanco.|Beber ocho vasos de agua al "
            "día.|Salvado de trigo, plantago.",
            "Dieta blanda tras una gastroenteritis|Desayuno: infusión de manzanilla y tostadas.\nComida: arroz blanco, "
            "pollo hervido, manzana asada.\nCena: puré de zanahoria y patata.|Volver a la dieta normal poco a "
            "poco.|Probióticos.",
            "Dieta para deportistas|Desayuno: avena, plátano, frutos secos y leche.\nComida: pasta integral con atún, "
            "ensalada variada.\nCena: salmón, patata asada, verduras.|Repartir la toma de líquidos antes, durante y "
            "después del ejercicio.|Sales minerales, magnesio.",
            "Dieta baja en sal|Desayuno: pan sin sal con aceite, fruta.\nComida: verduras a la plancha con hierbas "
            "aromáticas, pescado fresco.\nCena: tortilla de calabacín, ensalada aliñada con limón.|Evitar embutidos, "
            "conservas y quesos curados.|Ninguno.",
            "Dieta vegetariana equilibrada|Desayuno: bebida de soja, pan integral con aguacate.\nComida: tofu con "
            "verduras y arroz integral.\nCena: hummus con crudités, huevo duro.|Vigilar la vitamina B12.|Vitamina B12, "
            "levadura de cerveza.",
            "Dieta para el colesterol|Desayuno: avena con manzana y nueces.\nComida: pescado azul al horno, alubias "
            "con verdura.\nCena: ensalada de espinacas y berenjena asada.|Reducir grasas de origen animal.|Lecitina de "
            "soja, omega 3.",
            "Dieta para la digestión pesada|Desayuno: papaya y pan tostado.\nComida: verduras cocidas, pescado "
            "blanco.\nCena: sopa de arroz, compota de manzana.|Comer despacio, en pequeñas cantidades.|Enzimas de "
            "papaya, hinojo.",
            "DIETA DE OTOÑO|Desayuno: granada, pan con membrillo.\nComida: guiso de setas con patatas, castañas "
            "asadas.\nCena: crema de calabaza, queso fresco.|Aprovechar las frutas y verduras de temporada.|Jalea "
            "real.",
            "Dieta para épocas de estudio|Desayuno: leche, cereales integrales y nueces.\nComida: arroz con pollo, "
            "ensalada de tomate.\nCena: pescado azul, espárragos, yogur.|Evitar los excesos de café y azúcar.|Fósforo, "
            "ginseng, lecitina.",
            "Dieta para el verano|Desayuno: sandía y yogur.\nComida: gazpacho, ensalada de legumbres.\nCena: pescado a "
            "la plancha y pimientos asados.|Beber agua aunque no haya sed.|Sales minerales.",
            "Dieta sin gluten de ejemplo|Desayuno: tortitas de arroz con mermelada.\nComida: quinoa con verduras, "
            "pollo al horno.\nCena: tortilla de patata y ensalada.|Comprobar siempre las etiquetas.|Ninguno.",
            "Dieta para personas mayores|Desayuno: leche con galletas de avena.\nComida: puré de legumbres, pescado "
            "blando.\nCena: sopa de fideos y flan casero.|Cuidar la hidratación y el calcio.|Calcio, vitamina D.",
        });

    list << reference(
        "EDITOR.DB", {s("Nombre Ficha"), s("EditorTextos")},
        {
            "Pedido semanal a proveedores|Revisar el lunes las existencias de infusiones, jabones y aceites. Hacer el "
            "pedido antes del miércoles para recibirlo el viernes.",
            "Horario de verano|De lunes a viernes, de 9:30 a 14:00 y de 17:30 a 20:30. Sábados, de 10:00 a 14:00. "
            "Agosto: cerrado la segunda quincena.",
            "Recetas para el escaparate|Cambiar el escaparate con cada estación: en primavera, plantas para la "
            "alergia; en verano, protección solar; en otoño, defensas; en invierno, tos y resfriados.",
            "Charla sobre plantas aromáticas|Preparar una charla para el jueves a las siete: romero, tomillo, lavanda "
            "y salvia. Llevar muestras secas y un cartel.",
            "Lista de clientes para avisar|Avisar cuando llegue la jalea real fresca y el polen de temporada.",
            "Inventario de fin de año|Contar existencias el 30 de diciembre. Separar lo caducado y anotarlo aparte.",
            "Ideas para la página del barrio|Consejo de la semana, producto de la semana y una receta sencilla.",
            "notas sueltas|Llamar al fontanero. Comprar bolsas de papel. Renovar el cartel de la puerta.",
            "Curso de fitoterapia|Apuntes del curso: partes de la planta que se usan, formas de preparación, dosis "
            "orientativas y contraindicaciones más comunes.",
            "Proveedores de confianza|Herbolario mayorista de ejemplo (pedidos por teléfono), cooperativa apícola "
            "ficticia (miel y polen), taller artesano de jabones (pedido mensual).",
            "Devoluciones|Anotar fecha, producto, motivo y si se devolvió el dinero o se cambió por otro producto.",
            "Tarifas de la próxima temporada|Subida prevista de las infusiones en bolsitas; mantener los precios a "
            "granel.",
            "Campaña de Navidad|Cestas con jabón artesano, miel, infusión y vela aromática. Preparar doce cestas la "
            "primera semana de diciembre.",
            "ÑOÑERÍAS DEL ESCAPARATE|Nota de humor para el equipo: las figuritas de la sección de regalos se quedan "
            "hasta Reyes.",
            "Limpieza y orden|Los lunes, estanterías de infusiones; los jueves, cosmética; el último viernes del mes, "
            "almacén.",
        });

    list << reference(
        "GLOSARIO.DB", {s("Término médico"), s("Definición:")},
        {
            "Antiinflamatorio|Que reduce la inflamación: el enrojecimiento, el calor, la hinchazón y el dolor de una "
            "zona.",
            "Antiséptico|Que impide o frena el desarrollo de los microbios sobre la piel o las mucosas.",
            "Astringente|Que contrae los tejidos y reduce las secreciones; por ejemplo, la corteza de roble o el "
            "hamamelis.",
            "Carminativo|Que favorece la expulsión de los gases del tubo digestivo; el hinojo y el anís lo son.",
            "Colagogo|Que facilita la salida de la bilis de la vesícula hacia el intestino.",
            "Decocción|Preparación en la que la planta hierve en agua durante unos minutos; se usa para raíces y "
            "cortezas.",
            "Diurético|Que aumenta la cantidad de orina.",
            "Emoliente|Que ablanda y suaviza la piel o las mucosas irritadas; como la malva o el malvavisco.",
            "Expectorante|Que ayuda a expulsar las mucosidades de las vías respiratorias.",
            "Febrífugo|Que ayuda a bajar la fiebre.",
            "hipotensor|Que hace bajar la tensión arterial.",
            "Maceración|Preparación en la que la planta reposa en agua, aceite o alcohol, en frío, durante horas o "
            "días.",
            "Sedante|Que calma el sistema nervioso y facilita el descanso.",
            "Tónico|Que fortalece o estimula el organismo en general o un órgano en particular.",
            "Vasoconstrictor|Que estrecha los vasos sanguíneos.",
            "Útero|Órgano muscular hueco del aparato reproductor femenino.",
        });

    list << reference(
        "GUIAPRO.DB", {s("Producto"), s("Indicaciones"), s("ModoEmpleo")},
        {
            "Jalea real fresca|Épocas de cansancio, convalecencias, cambios de estación.|Medio gramo al día, en "
            "ayunas, bajo la lengua.",
            "Levadura de cerveza en copos|Piel, cabello y uñas; aporte de vitaminas del grupo B.|Una o dos cucharadas "
            "al día sobre el yogur o la ensalada.",
            "Polen de abeja|Falta de apetito, cansancio.|Una cucharadita al día. No en personas alérgicas al polen.",
            "Espirulina en comprimidos|Aporte de proteínas, hierro y vitaminas.|Tres comprimidos al día con las "
            "comidas.",
            "Lecitina de soja granulada|Ayuda a mantener el colesterol a raya.|Una cucharada sopera al día con zumo o "
            "yogur.",
            "Germen de trigo|Aporte de vitamina E.|Dos cucharadas al día. Guardar en la nevera una vez abierto.",
            "Salvado de avena|Estreñimiento, sensación de saciedad.|Dos o tres cucharadas al día con abundante agua.",
            "Semillas de chía|Aporte de fibra y de ácidos grasos omega 3.|Una cucharada en remojo en agua o leche "
            "durante diez minutos.",
            "Própolis en gotas|Garganta irritada, aftas.|Diez gotas en medio vaso de agua, tres veces al día.",
            "Miel de romero|Endulzar infusiones, tos leve.|No dar a menores de un año.",
            "Melaza de caña|Endulzante con minerales.|Una cucharadita en la leche o en el yogur.",
            "Ginseng en cápsulas|Cansancio físico y mental.|Una cápsula por la mañana. No en hipertensos.",
            "Harina de algarroba|Sustituto del cacao, diarreas leves en adultos.|Una o dos cucharadas en la leche.",
            "Copos de quinoa|Desayunos sin gluten.|Cocer cinco minutos en agua o leche.",
            "ACEITE DE ONAGRA|Molestias premenstruales, piel seca.|Dos perlas al día con las comidas.",
        });

    list << reference(
        "Informac.DB",
        {s("Producto"), s("Propiedades"), s("Dosificacion"), s("Datos-Interes"), s("Ingredientes"), s("Código Barras")},
        {
            "Infusión digestiva|Ayuda a la digestión y alivia los gases.|Una bolsita después de las comidas "
            "principales.|Sin azúcar añadido.|Hinojo, anís verde, menta, manzanilla.|8400000000017",
            "Infusión relajante|Favorece el descanso.|Una taza media hora antes de acostarse.|No tomar con sedantes "
            "sin consultar.|Tila, melisa, pasiflora, azahar.|8400000000024",
            "Jarabe de própolis y tomillo|Suaviza la garganta.|Una cucharada tres veces al día.|Contiene "
            "miel.|Própolis, tomillo, miel, agua.|8400000000031",
            "Cápsulas de castaño de Indias|Piernas cansadas.|Dos cápsulas al día.|No en embarazadas.|Extracto seco de "
            "castaño de Indias, cápsula vegetal.|8400000000048",
            "Comprimidos de magnesio|Calambres, cansancio muscular.|Dos comprimidos al día.|Puede tener efecto "
            "laxante.|Carbonato de magnesio, cloruro de magnesio.|8400000000055",
            "Aceite esencial de lavanda|Relajante, aromaterapia.|Unas gotas en el difusor. No ingerir.|Mantener fuera "
            "del alcance de los niños.|Aceite esencial de lavanda puro.|8400000000062",
            "Té verde a granel|Antioxidante, estimulante suave.|Dos o tres tazas al día.|Contiene cafeína.|Hojas de té "
            "verde.|8400000000079",
            "Sales de baño de romero|Baño reconfortante para los músculos cansados.|Dos puñados en la bañera.|Uso "
            "externo.|Sal marina, aceite esencial de romero.|8400000000086",
            "Tisana de cola de caballo|Retención de líquidos, uñas frágiles.|Dos tazas al día.|No más de tres semanas "
            "seguidas.|Cola de caballo.|8400000000093",
            "Galletas de espelta|Tentempié integral.|Según apetito.|Contiene gluten.|Harina integral de espelta, "
            "aceite de girasol, sirope de agave.|8400000000109",
            "Crema de cacahuete natural|Energía para deportistas.|Una cucharada al día.|Alérgenos: "
            "cacahuete.|Cacahuete tostado, pizca de sal.|8400000000116",
            "Bebida de almendras|Alternativa a la leche.|Un vaso al día.|Sin lactosa.|Agua, almendra (7 %), "
            "sal.|8400000000123",
            "Vinagre de manzana|Aliño y remedio casero.|Una cucharada en un vaso de agua.|No tomar puro.|Vinagre de "
            "manzana sin filtrar.|8400000000130",
            "Sirope de arce|Endulzante natural.|Con moderación.|Alto contenido en azúcares.|Sirope de "
            "arce.|8400000000147",
            "Infusión de rooibos|Sin cafeína, para cualquier hora.|Una o dos tazas al día.|Apta para niños.|Rooibos, "
            "canela.|8400000000154",
        });

    list << reference(
        "TNATURAL.DB", {s("Dolencia/Enfermedad"), s("Explicacion"), s("Tratamiento")},
        {
            "Acidez de estómago|Sensación de ardor que sube desde el estómago, a menudo tras comidas "
            "abundantes.|Infusión de manzanilla o de regaliz después de comer; cenar pronto y ligero.",
            "Afonía|Pérdida de la voz por esfuerzo o por inflamación de la laringe.|Reposo de la voz, vahos de "
            "tomillo, gárgaras de agua tibia con sal.",
            "Ansiedad leve|Nerviosismo e inquietud sin causa grave.|Melisa, pasiflora o tila; respiración profunda y "
            "paseos al aire libre.",
            "Artrosis|Desgaste de las articulaciones que produce dolor y rigidez.|Harpagofito, cola de caballo; "
            "ejercicio suave como nadar o caminar.",
            "Catarro común|Infección leve de nariz y garganta.|Vahos de eucalipto, equinácea y vitamina C; beber "
            "líquidos calientes.",
            "Cistitis|Inflamación de la vejiga que produce escozor al orinar.|Arándano rojo, gayuba; beber mucha agua. "
            "Consultar si hay fiebre.",
            "Colon irritable|Molestias intestinales con cambios entre estreñimiento y diarrea.|Menta, hinojo; comidas "
            "regulares y poco abundantes.",
            "Dermatitis|Inflamación de la piel con picor y rojeces.|Avena coloidal en el baño, crema de caléndula.",
            "Eccema de manos|Piel agrietada y seca por el contacto con detergentes.|Guantes, bálsamo de karité y "
            "aceite de almendras.",
            "Gota|Acumulación de ácido úrico en las articulaciones.|Reducir carnes rojas y marisco; infusión de "
            "ortiga.",
            "Hemorroides|Dilatación de las venas de la zona anal.|Baños de asiento de hamamelis, dieta rica en fibra.",
            "Insomnio|Dificultad para dormir o sueño poco reparador.|Valeriana, amapola de California; horarios "
            "regulares.",
            "Migraña|Dolor de cabeza intenso, a menudo de un lado y con náuseas.|Matricaria como prevención; descanso "
            "en un cuarto oscuro.",
            "Osteoporosis|Pérdida de masa ósea.|Calcio, vitamina D, ejercicio con carga y paseos al sol.",
            "Pesadez de piernas|Sensación de cansancio en las piernas, sobre todo con calor.|Vid roja, rusco; duchas "
            "frías de abajo arriba.",
            "Úlceras bucales|Pequeñas llagas en la boca.|Enjuagues de salvia, própolis en gotas.",
        });

    list << reference(
        "INFORMD.DB", {s("Información Dietética"), s("Funcion"), s("Sintomas"), s("Recomendacion"), s("Fuentes")},
        {
            "Vitamina A|Necesaria para la vista, la piel y las defensas.|Ceguera nocturna, piel seca.|Verduras de "
            "color naranja y verde oscuro.|Zanahoria, calabaza, espinacas, yema de huevo.",
            "Vitamina B1 (tiamina)|Interviene en el aprovechamiento de los hidratos de carbono.|Cansancio, "
            "irritabilidad.|Cereales integrales a diario.|Levadura de cerveza, legumbres, frutos secos.",
            "Vitamina B12|Formación de la sangre y buen estado de los nervios.|Anemia, hormigueos.|Vigilar en dietas "
            "vegetarianas estrictas.|Carnes, pescados, huevos, lácteos.",
            "Vitamina C|Defensas, absorción del hierro, formación del colágeno.|Encías que sangran, resfriados "
            "frecuentes.|Fruta fresca cada día.|Kiwi, naranja, pimiento, fresas.",
            "Vitamina D|Fija el calcio en los huesos.|Debilidad ósea.|Tomar el sol con moderación.|Pescado azul, "
            "huevos.",
            "Vitamina E|Antioxidante que protege las células.|Piel seca, cansancio muscular.|Aceites de primera "
            "presión en frío.|Germen de trigo, almendras, aceite de oliva.",
            "Calcio|Huesos y dientes; contracción de los músculos.|Calambres, huesos frágiles.|Lácteos o alternativas "
            "enriquecidas.|Leche, queso, sésamo, almendras.",
            "Hierro|Transporte del oxígeno en la sangre.|Cansancio, palidez, uñas frágiles.|Combinar con vitamina "
            "C.|Lentejas, carne roja, mejillones, espinacas.",
            "Magnesio|Músculos, nervios y huesos.|Calambres, nerviosismo.|Frutos secos y cereales "
            "integrales.|Almendras, cacao puro, plátano.",
            "Potasio|Equilibrio de líquidos y función muscular.|Debilidad muscular.|Frutas y verduras "
            "frescas.|Plátano, patata, tomate.",
            "Zinc|Defensas, piel y cicatrización.|Heridas que tardan en cerrar, pérdida del gusto.|Variedad en la "
            "dieta.|Ostras, pipas de calabaza, legumbres.",
            "Yodo|Funcionamiento del tiroides.|Cansancio, bocio.|Sal yodada con moderación.|Pescados de mar, algas.",
            "Fibra|Buen tránsito intestinal.|Estreñimiento.|Cinco raciones de fruta y verdura al día.|Legumbres, "
            "salvado, frutas con piel.",
            "Omega 3|Corazón y circulación.|Piel seca, colesterol alto.|Pescado azul dos veces por semana.|Sardina, "
            "caballa, nueces, lino.",
            "Ácido fólico|Formación de las células, importante en el embarazo.|Cansancio, anemia.|Verduras de hoja "
            "verde.|Espinacas, acelgas, legumbres.",
        });

    list << reference("Abuela.DB", {s("Sintomas"), s("Indicaciones")},
                      {
                          "Tos seca|Leche caliente con una cucharada de miel antes de dormir.",
                          "Dolor de tripa|Infusión de manzanilla con unas hojas de menta.",
                          "Catarro con mocos|Vahos de agua con eucalipto, con una toalla sobre la cabeza.",
                          "Quemadura pequeña|Agua fría durante diez minutos y después un poco de gel de áloe.",
                          "Picadura de mosquito|Frotar con una rodaja de limón o con barro de arcilla.",
                          "Hipo|Beber un vaso de agua a sorbos pequeños sin respirar.",
                          "Pies cansados|Baño de agua tibia con sal gorda y romero.",
                          "Orzuelo|Compresas de manzanilla tibia sobre el ojo cerrado.",
                          "Golpe en la frente|Una cuchara fría de metal sobre el chichón.",
                          "Mal aliento|Masticar unas hojas de perejil o unos granos de anís.",
                          "Resaca|Caldo con sal y mucho agua; descanso.",
                          "Uñas amarillas|Limón frotado sobre las uñas una vez por semana.",
                          "dolor de muelas|Un clavo de olor junto a la muela mientras llega la cita con el dentista.",
                          "Piel quemada por el sol|Compresas de yogur natural frío.",
                          "Sabañones|Baños alternos de agua fría y caliente; cebolla cruda frotada.",
                          "Nervios antes de una boda|Tila con azahar y un paseo largo por la mañana.",
                      });

    list << reference("ALTERNAT.DB", {s("Sintomas"), s("Indicaciones")},
                      {
                          "Dolor de espalda|Yoga suave, masaje con aceite de árnica, calor local.",
                          "Estrés|Meditación de diez minutos al día, aromaterapia con lavanda.",
                          "Cefalea tensional|Masaje en las sienes con aceite de menta diluido, reflexología.",
                          "Insomnio|Baño tibio con melisa, respiración 4-7-8, horario regular.",
                          "Alergia primaveral|Lavados nasales con agua de mar, plantago y ortiga.",
                          "Cansancio mental|Paseos por la naturaleza, romero en aromaterapia.",
                          "Rigidez de cuello|Estiramientos suaves, compresas calientes, taichí.",
                          "Náuseas de viaje|Jengibre en caramelos o en infusión; mirar al horizonte.",
                          "Ansiedad|Técnicas de relajación progresiva, flores de Bach.",
                          "Digestión lenta|Masaje abdominal en el sentido de las agujas del reloj.",
                          "Piel grasa|Vapor de tomillo y mascarilla de arcilla.",
                          "Manos frías|Baños de contraste, ejercicio y jengibre.",
                          "ojos cansados|Palmeo con las manos tibias, descanso cada hora frente a la pantalla.",
                          "Tensión en la mandíbula|Masaje circular y relajación consciente antes de dormir.",
                          "Ronquidos|Dormir de lado, evitar cenas copiosas, vahos de eucalipto.",
                      });

    // The card file: invented people, streets, towns and numbers.
    DemoTable cards;
    cards.fileName = s("DATOS.DB");
    cards.columns = {s("Nombre/Apellidos"), s("Domicilio"),  s("Postal"),     s("Localidad"),
                     s("Provincia"),        s("Telefono"),   s("Civil"),      s("Nacimiento"),
                     s("Patologia"),        s("Medicacion"), s("Observacion")};
    const char* const people[] = {
        "Ejemplo Pérez, Rosalía|C/ Imaginaria, 12, 3.º B|99001|Villaejemplo|Cuenca|555 010 "
        "101|Casada|14/03/1961|Hipertensión leve.|La que le indica su médico.|Prefiere infusiones sin regaliz.",
        "Muestra Ortiz, Íñigo|Avda. de la Ficción, 4|99002|San Ficticio del Monte|Burgos|555 010 "
        "102|Soltero|02/11/1985|Ninguna conocida.||Deportista; pregunta por sales minerales.",
        "Prueba Núñez, María José|Plaza Inventada, 1|99003|Villaejemplo|Cuenca|555 010 103|Viuda|27/07/1947|Artrosis "
        "de rodilla.|Calcio y vitamina D.|Viene los martes con su hija.",
        "Ficticio Cañas, Andrés|C/ del Supuesto, 88|99004|Pruebadelrío|Soria|555 010 104|Casado|09/01/1970|Colesterol "
        "alto.|Ninguna.|Sigue la dieta para el colesterol desde mayo.",
        "Inventado Gómez, Lucía|C/ Sin Nombre, 5, bajo|99005|Aldea de Muestra|León|555 010 "
        "105|Divorciada|30/05/1978|Insomnio ocasional.|Valeriana por temporadas.|Alérgica al polen de olivo.",
        "de la Prueba Sáenz, Begoña|Camino del Ejemplo, s/n|99006|Villaejemplo|Cuenca|555 010 "
        "106|Soltera|12/12/1992|Piel atópica.|Crema hidratante sin perfume.|Compra jabón de avena cada mes.",
        "Modelo Ibáñez, Tomás|C/ Provisional, 3|99007|San Ficticio del Monte|Burgos|555 010 "
        "107|Casado|21/08/1955|Diabetes tipo 2.|La que le indica su médico.|No tomar productos con azúcar ni miel.",
        "Ejemplar Muñoz, Carmen|Travesía Supuesta, 9, 2.º|99008|Pruebadelrío|Soria|555 010 "
        "108|Casada|05/04/1966|Piernas cansadas.|Castaño de Indias en verano.|Trabaja muchas horas de pie.",
        "Simulado Peña, Óscar|C/ Hipotética, 21|99009|Aldea de Muestra|León|555 010 109|Soltero|18/09/2001|Acné "
        "leve.||Estudiante; le interesa la cosmética natural.",
        "Figurado Ruiz, Ángela|Paseo de la Muestra, 7|99010|Villaejemplo|Cuenca|555 010 "
        "110|Viuda|01/02/1939|Estreñimiento crónico.|Plantago.|Le gusta que le lean las etiquetas en voz alta.",
    };
    int p = 0;
    for (const char* person : people) {
        QStringList v = QString::fromUtf8(person).split(QLatin1Char('|'));
        if (p++ == 0)
            v.last() += QStringLiteral("\n\n") + longText();
        cards.records << v;
    }
    list << cards;

    // Thirty products: code, description (at most 30 characters), price in whole units.
    DemoTable products;
    products.fileName = s("Producto.db");
    products.columns = {s("Codigo"), s("Descripcion"), s("Precio")};
    const char* const productList[] = {
        "Infusión de manzanilla 50 g|320",
        "Tila en flor 40 g|410",
        "Poleo menta 50 g|290",
        "Té verde a granel 100 g|650",
        "Rooibos con canela 100 g|580",
        "Jalea real fresca 20 g|1450",
        "Levadura de cerveza 250 g|520",
        "Polen de abeja 250 g|890",
        "Miel de romero 500 g|760",
        "Própolis en gotas 30 ml|980",
        "Espirulina 180 comprimidos|1650",
        "Magnesio 60 comprimidos|720",
        "Aceite de rosa mosqueta 15 ml|1190",
        "Gel de áloe vera 250 ml|840",
        "Crema de caléndula 50 ml|690",
        "Jabón de avena y miel|350",
        "Bálsamo labial de karité|275",
        "Champú de ortiga 250 ml|615",
        "Sales de baño de romero|540",
        "Aceite esencial de lavanda|795",
        "Semillas de chía 250 g|430",
        "Copos de avena 500 g|240",
        "Galletas de espelta|310",
        "Bebida de almendras 1 l|285",
        "Sirope de arce 250 ml|925",
        "Piñones 100 g|1380",
        "Castañas pilongas 250 g|560",
        "Caramelos de jengibre|195",
        "Vela aromática de azahar|850",
        "Cesta de regalo pequeña|2500",
    };
    int code = 1001;
    for (const char* pr : productList) {
        const QStringList v = QString::fromUtf8(pr).split(QLatin1Char('|'));
        products.records << QStringList{QString::number(code++), v[0], v[1]};
    }
    list << products;

    // Fifty sales over the five days that end today, in the order they were made.
    DemoTable sales;
    sales.fileName = s("Ventas.DB");
    sales.columns = {s("Caja"), s("Fecha y Hora"), s("Codigo"), s("Importe"), s("Producto")};
    quint32 seed = 20261208;
    auto next = [&seed](quint32 n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % n;
    };
    QList<QDateTime> times;
    const int perDay[] = {8, 12, 9, 11, 10};
    for (int d = 0; d < 5; ++d) {
        const QDate day = now.date().addDays(d - 4);
        for (int k = 0; k < perDay[d]; ++k) {
            const int minute = 9 * 60 + 30 + int(next(10 * 60 + 30)); // 9:30 to 20:00
            QDateTime t(day, QTime(minute / 60, minute % 60, int(next(60))));
            // A sale of today that would lie ahead was made at that hour the day before.
            if (t > now)
                t = t.addDays(-1);
            times << t;
        }
    }
    std::sort(times.begin(), times.end());
    for (const QDateTime& t : times) {
        const int i = int(next(30));
        const QStringList v = QString::fromUtf8(productList[i]).split(QLatin1Char('|'));
        sales.records << QStringList{QStringLiteral("1"), t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                                     QString::number(1001 + i), v[1], v[0]};
    }
    list << sales;

    return list;
}

} // namespace yb::admin
