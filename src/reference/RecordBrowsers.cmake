# The record browsers: what sets each apart from the design in RecordBrowser.ui.in.
# The build writes each one's form and its entry of RecordBrowser::setupOf() from
# this table (GenerateRecordBrowsers.cmake). The unit names the screen's files
# (Cosmetic.h, Cosmetic.cpp) and its cursors in the table catalogue.
#
#   CLASS name             the screen class; its instance is the name without the T
#   CAPTION text           the window caption
#   SIZE w h               design client area (default 640 461)
#   CLOSE name             the close button (default BitBtn1)
#   SEARCH name            the search button (default BitBtn2000)
#   PROMPT text            the search prompt (default "Introduce el nombre:")
#   KEY field caption      the key field, shown in MEMO2, and its caption (Label1)
#   TEXT field caption     a content memo (Memo3, Memo4, ...) and its caption
#                          (Label2, Label3, ...); NO_CAPTION for none
#     LABEL name           after KEY or TEXT: the caption label goes by another name
#     SCROLL kind          after TEXT: DBMemo scroll bars (default ScrollVertical)
#     NO_WRAP              after TEXT: lines are not wrapped
#   ROW_SPACING n          spacing of the panel's rows and of the texts (default 4)
#   FONT_COMMAND           the font button SpeedButton2 ("F") beside the list button
#   SEARCH_AFTER_TEXTS     Tab reaches the search button after the content memos
#   SEPARATOR_BLANK        the separator memo's middle line holds a blank
#   PRINT blocks...        the print command's blocks, in order
#
# Texts are quoted when they hold blanks; none may hold a semicolon.

record_browser(Cosmetic
  CLASS TForm12
  CAPTION "Productos Cosméticos (Base de Datos)"
  KEY "Producto Cosmetico" "Nombre del Producto Cosmético:"
  TEXT Indicaciones "Indicaciones:"
  TEXT "Modo Empleo" "Dosificación y Modo de Empleo:"
  PRINT Memo123 MEMO2 Memo1 Memo3 Memo1 Memo4 Memo1)

record_browser(Diagnost
  CLASS TForm13
  CAPTION "Síntomas y Diagnósticos (Base de Datos)"
  KEY Sintomas "Nombre del Síntoma, Enfermedad o Dolencia:"
  TEXT Diagnostico "Diagnóstico y/o Posible Deficiencia:"
  TEXT Obsevaciones "Otros datos de interés:"
  PRINT Memo123 MEMO2 Memo1 Memo3 Memo1 Memo4)

record_browser(Dietas
  CLASS TForm20
  CAPTION "Dietas Naturistas (Base de Datos)"
  CLOSE BitBtn3
  SEARCH BitBtn1
  PROMPT "Introduce Nombre"
  KEY Dieta "Nombre de la Dieta:"
  TEXT Dasayuno-Comida-Cena "Desayuno, Comida, Merienda y Cena:"
  TEXT ComplementosDieteticos "Observaciones y/o Complementos Dietéticos:"
  PRINT Memo123 MEMO2 Memo1 Memo3 Memo1 Memo4)

record_browser(Editor
  CLASS TForm8
  CAPTION "Editor de Textos (Base de Datos)"
  SIZE 638 461
  KEY "Nombre Ficha" "Nombre de la Ficha:"
  TEXT EditorTextos NO_CAPTION SCROLL ScrollBoth NO_WRAP
  FONT_COMMAND
  PRINT Memo123 Memo3)

record_browser(Glosario
  CLASS TForm21
  CAPTION "Glosario Médico (Base de Datos)"
  CLOSE BitBtn3
  SEARCH BitBtn1
  PROMPT "Introduce Nombre"
  KEY "Término médico" "Término Médico:"
  TEXT "Definición:" "Definición:"
  SEPARATOR_BLANK
  PRINT Memo123 MEMO2 Memo1 Memo3)

record_browser(Guiapro
  CLASS TForm15
  CAPTION "Guía de Productos Dietéticos (Base de Datos)"
  KEY Producto "Nombre del Producto:"
  TEXT Indicaciones "Indicaciones:"
  TEXT ModoEmpleo "Dosificación y Modo de Empleo:"
  PRINT Memo123 MEMO2 Memo1 Memo3 Memo1 Memo4)

record_browser(Informac
  CLASS TForm11
  CAPTION "Información General (Base de datos)"
  KEY Producto "Nombre del Producto:"
  TEXT Ingredientes "Ingredientes:"
  TEXT Propiedades "Propiedades:"
  TEXT Dosificacion "Dosificación, Normas de Preparación y Otros datos de interés:"
  PRINT Memo123 MEMO2 Memo1 Memo1 Memo3 Memo1 Memo4 Memo1 Memo5 Memo1)

record_browser(Abuela
  CLASS TForm17
  CAPTION "Remedios de la Abuela (Base de Datos)"
  SIZE 633 455
  KEY Sintomas "Nombre del Síntoma, Enfermedad, Dolencia..." LABEL Label2
  TEXT Indicaciones "Indicaciones y Posología:" LABEL Label1
  PRINT Memo123 MEMO2 Memo1 Memo3)

record_browser(Informd
  CLASS TForm14
  CAPTION "Información Dietética (Base de Datos)"
  ROW_SPACING 2
  KEY "Información Dietética" "Nombre:"
  TEXT Funcion "Función en el Organismo:"
  TEXT Sintomas "Síntomas de Deficiencia:"
  TEXT Recomendacion "Recomendaciones Terapéuticas:"
  TEXT Fuentes "Fuentes Naturales:"
  PRINT Memo123 MEMO2 Memo1 Memo3 Memo1 Memo4 Memo1 Memo5 Memo1 Memo6)

record_browser(Alternat
  CLASS TForm16
  CAPTION "Terapias Alternativas con Oligoelementos (Base de Datos)"
  SEARCH BitBtn1998
  KEY Sintomas "Nombre del Síntoma, Enfermedad, Dolencia..."
  TEXT Indicaciones "Indicaciones y Posología:"
  PRINT Memo123 MEMO2 Memo1 Memo3)

record_browser(Tnatural
  CLASS TForm18
  CAPTION "Tratamientos Naturales (Base de Datos)"
  KEY Dolencia/Enfermedad "Enfermedad o Dolencia:"
  TEXT Explicacion "Término Médico:"
  TEXT Tratamiento "Tratamiento Recomendado (Complementos Orientativos):"
  SEARCH_AFTER_TEXTS
  PRINT Memo123 MEMO2 Memo1 Memo3 Memo1 Memo4)
