<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>ZoMainWindow</name>
    <message><source>&amp;Options</source><translation>&amp;Optionen</translation></message>
    <message><source>&amp;Language</source><translation>&amp;Sprache</translation></message>
    <message><source>S&amp;kins</source><translation>&amp;Oberflächen</translation></message>
    <message><source>Check for &amp;Updates Automatically</source><translation>Automatisch nach &amp;Aktualisierungen suchen</translation></message>
    <message><source>&amp;About %1...</source><translation>&amp;Über %1...</translation></message>
    <message><source>About %1</source><translation>Über %1</translation></message>
    <message><source>E&amp;xit</source><translation>&amp;Beenden</translation></message>
</context>
<context>
    <name>Vellumix</name>
    <message><source>Import photos and music to make your slide show.</source><translation>Importieren Sie Fotos und Musik für Ihre Diashow.</translation></message>
</context>
</TS>
