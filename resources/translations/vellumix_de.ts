<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AdjustAudioOrder</name>
    <message>
        <source>Edit Audio</source>
        <translation>Audio bearbeiten</translation>
    </message>
    <message>
        <source>Select One or More Files</source>
        <translation>Eine oder mehrere Dateien auswählen</translation>
    </message>
    <message>
        <source>Some files have not been added to the list:</source>
        <translation>Einige Dateien wurden nicht zur Liste hinzugefügt:</translation>
    </message>
</context>
<context>
    <name>AdjustAudioOrderClass</name>
    <message>
        <source>Edit Audio</source>
        <translation>Audio bearbeiten</translation>
    </message>
    <message>
        <source>Add...</source>
        <translation>Hinzufügen...</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>Nach oben</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Hoch</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>Nach unten</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Runter</translation>
    </message>
    <message>
        <source>File Name</source>
        <translation>Dateiname</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Dauer</translation>
    </message>
    <message>
        <source>Start Point</source>
        <translation>Startpunkt</translation>
    </message>
    <message>
        <source>End Point</source>
        <translation>Endpunkt</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Stumm schalten</translation>
    </message>
    <message>
        <source>Unmute</source>
        <translation>Ton einschalten</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Lautstärke</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Wiedergabe</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Play from the in point to the out point</source>
        <translation>Vom Start- bis zum Endpunkt abspielen</translation>
    </message>
    <message>
        <source>Play Segment</source>
        <translation>Abschnitt abspielen</translation>
    </message>
    <message>
        <source>Start the clip at the slider&apos;s position</source>
        <translation>Clip an der Position des Schiebereglers beginnen lassen</translation>
    </message>
    <message>
        <source>Set In</source>
        <translation>Start hier</translation>
    </message>
    <message>
        <source>End the clip at the slider&apos;s position</source>
        <translation>Clip an der Position des Schiebereglers enden lassen</translation>
    </message>
    <message>
        <source>Set Out</source>
        <translation>Ende hier</translation>
    </message>
</context>
<context>
    <name>AudioListWidget</name>
    <message>
        <source>Duration</source>
        <translation>Dauer</translation>
    </message>
    <message>
        <source>Channels</source>
        <translation>Kanäle</translation>
    </message>
    <message>
        <source>Sample Rate</source>
        <translation>Abtastrate</translation>
    </message>
    <message>
        <source>Start Point</source>
        <translation>Startpunkt</translation>
    </message>
    <message>
        <source>End Point</source>
        <translation>Endpunkt</translation>
    </message>
    <message>
        <source>Drag Audio File(s) Here</source>
        <translation>Audiodateien hierher ziehen</translation>
    </message>
    <message>
        <source>Missing: %1</source>
        <translation>Fehlt: %1</translation>
    </message>
    <message>
        <source>Missing</source>
        <translation>Fehlt</translation>
    </message>
</context>
<context>
    <name>BatchCreate</name>
    <message>
        <source>Try &apos;vellumix create --help&apos;.</source>
        <translation>Siehe „vellumix create --help“.</translation>
    </message>
    <message>
        <source>--%1 takes a number of milliseconds from %2 to %3, not &apos;%4&apos;</source>
        <translation>--%1 erwartet eine Anzahl Millisekunden von %2 bis %3, nicht „%4“</translation>
    </message>
    <message>
        <source>Print this help and exit.</source>
        <translation>Diese Hilfe ausgeben und beenden.</translation>
    </message>
    <message>
        <source>How long each photo is held (1000-999000, default 5000).</source>
        <translation>Wie lange jedes Foto gezeigt wird (1000-999000, Standard 5000).</translation>
    </message>
    <message>
        <source>Length of a transition (500-5000, default 1500).</source>
        <translation>Länge eines Übergangs (500-5000, Standard 1500).</translation>
    </message>
    <message>
        <source>Cut from photo to photo.</source>
        <translation>Ohne Übergang von Foto zu Foto schneiden.</translation>
    </message>
    <message>
        <source>Use dissolves only, no wipes.</source>
        <translation>Nur Überblendungen, keine Wischblenden.</translation>
    </message>
    <message>
        <source>Show photos still, without moving and zooming.</source>
        <translation>Fotos ruhig zeigen, ohne Bewegung und Zoom.</translation>
    </message>
    <message>
        <source>Restart the audio when it ends before the show.</source>
        <translation>Audio neu starten, wenn es vor der Diashow endet.</translation>
    </message>
    <message>
        <source>Fade the sound in over the first second and out over the last three.</source>
        <translation>Ton in der ersten Sekunde ein- und in den letzten drei ausblenden.</translation>
    </message>
    <message>
        <source>Choose the photo duration so that the show lasts as long as the audio.</source>
        <translation>Fotodauer so wählen, dass die Diashow so lang wie das Audio ist.</translation>
    </message>
    <message>
        <source>Do not turn photos as their camera orientation asks.</source>
        <translation>Fotos nicht nach der Ausrichtung der Kamera drehen.</translation>
    </message>
    <message>
        <source>Output profile (default mpeg4h264); see --list-profiles.</source>
        <translation>Ausgabeprofil (Standard mpeg4h264); siehe --list-profiles.</translation>
    </message>
    <message>
        <source>Override one value of the profile, e.g. s=1280x720; repeatable.</source>
        <translation>Einen Wert des Profils überschreiben, z. B. s=1280x720; mehrfach möglich.</translation>
    </message>
    <message>
        <source>List the profiles: identifier, group, name and extension.</source>
        <translation>Profile auflisten: Kennung, Gruppe, Name und Endung.</translation>
    </message>
    <message>
        <source>Folder of the video (default: the last output folder, else Videos).</source>
        <translation>Ordner des Videos (Standard: der letzte Ausgabeordner, sonst Videos).</translation>
    </message>
    <message>
        <source>File name without extension (default &quot;My Photo Movie&quot;).</source>
        <translation>Dateiname ohne Endung (Standard „My Photo Movie“).</translation>
    </message>
    <message>
        <source>Print nothing but errors.</source>
        <translation>Nur Fehler ausgeben.</translation>
    </message>
    <message>
        <source>Also print the encoders&apos; logs and the toolkit&apos;s messages.</source>
        <translation>Auch die Protokolle der Encoder und die Meldungen des Toolkits ausgeben.</translation>
    </message>
    <message>
        <source>--quiet and --verbose exclude each other</source>
        <translation>--quiet und --verbose schließen einander aus</translation>
    </message>
    <message>
        <source>&apos;%1&apos; cannot be a file name: it must not be empty or hold any of * : &lt; &gt; ? / @ |</source>
        <translation>„%1“ kann kein Dateiname sein: Er darf nicht leer sein und keines der Zeichen * : &lt; &gt; ? / @ | enthalten</translation>
    </message>
    <message>
        <source>unknown profile &apos;%1&apos; (see --list-profiles)</source>
        <translation>unbekanntes Profil „%1“ (siehe --list-profiles)</translation>
    </message>
    <message>
        <source>--set takes KEY=VALUE, not &apos;%1&apos;</source>
        <translation>--set erwartet KEY=VALUE, nicht „%1“</translation>
    </message>
    <message>
        <source>no photo given</source>
        <translation>kein Foto angegeben</translation>
    </message>
    <message>
        <source>no readable photo among the paths given</source>
        <translation>kein lesbares Foto unter den angegebenen Pfaden</translation>
    </message>
    <message>
        <source>the video could not be created</source>
        <translation>das Video konnte nicht erstellt werden</translation>
    </message>
    <message>
        <source>make a video from photos and audio files without a window (create --help)</source>
        <translation>ohne Fenster ein Video aus Fotos und Audiodateien erstellen (create --help)</translation>
    </message>
    <message>
        <source>Shape of the frame, e.g. 16:9, 9:16 (phones), 1:1 or 4:5, at the profile&apos;s resolution (9:16 with a 1080p profile is 1080x1920).</source>
        <translation>Seitenverhältnis des Bildes, z. B. 16:9, 9:16 (Smartphones), 1:1 oder 4:5, bei der Auflösung des Profils (9:16 mit einem 1080p-Profil ergibt 1080x1920).</translation>
    </message>
    <message>
        <source>How photos of another shape fill the frame: fit (black bars, the default), blur (fitted over a blurred copy of the photo) or fill (cropped to the frame).</source>
        <translation>Wie Fotos mit anderem Seitenverhältnis das Bild füllen: fit (schwarze Balken, Standard), blur (eingepasst vor einer unscharfen Kopie des Fotos) oder fill (auf das Bild beschnitten).</translation>
    </message>
    <message>
        <source>--aspect takes a shape such as 16:9 or 9:16, not &apos;%1&apos;</source>
        <translation>--aspect erwartet ein Seitenverhältnis wie 16:9 oder 9:16, nicht „%1“</translation>
    </message>
    <message>
        <source>--framing takes fit, blur or fill, not &apos;%1&apos;</source>
        <translation>--framing erwartet fit, blur oder fill, nicht „%1“</translation>
    </message>
    <message>
        <source>Makes a video slide show from photos and audio files, without a window.
PATH: photo files, audio files and folders, in show order; or one saved show (.vellumix), made with its own settings, profile, folder and name, which the options given override.</source>
        <translation>Erstellt ohne Fenster eine Video-Diashow aus Fotos und Audiodateien.
PATH: Fotodateien, Audiodateien und Ordner in der Reihenfolge der Diashow; oder eine gespeicherte Diashow (.vellumix) mit ihren eigenen Einstellungen, Profil, Ordner und Namen, die angegebene Optionen überschreiben.</translation>
    </message>
    <message>
        <source>Photos, audio files and folders, or one show.</source>
        <translation>Fotos, Audiodateien und Ordner oder eine Diashow.</translation>
    </message>
    <message>
        <source>Creating video: %1%</source>
        <translation>Video wird erstellt: %1 %</translation>
    </message>
    <message>
        <source>Creating [%1] %2%  %3 left </source>
        <translation>Erstellen [%1] %2 %  noch %3 </translation>
    </message>
    <message>
        <source>a show (.%1) is made on its own, without further paths</source>
        <translation>eine Diashow (.%1) wird für sich allein erstellt, ohne weitere Pfade</translation>
    </message>
    <message>
        <source>left out, missing or no longer readable: %1</source>
        <translation>ausgelassen, fehlt oder ist nicht mehr lesbar: %1</translation>
    </message>
    <message>
        <source>left out, not a readable photo or audio file: %1</source>
        <translation>ausgelassen, keine lesbare Foto- oder Audiodatei: %1</translation>
    </message>
    <message>
        <source>the audio cannot set the photo duration (each photo would be shown for less than 1 s or more than 999 s); keeping %1 ms</source>
        <translation>das Audio kann die Fotodauer nicht bestimmen (jedes Foto würde kürzer als 1 s oder länger als 999 s gezeigt); es bleibt bei %1 ms</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>abgebrochen</translation>
    </message>
    <message>
        <source>unknown preset &apos;%1&apos; (see --list-presets)</source>
        <translation>unbekannte Vorgabe „%1“ (siehe --list-presets)</translation>
    </message>
    <message>
        <source>--preset takes a name (see --list-presets)</source>
        <translation>--preset erwartet einen Namen (siehe --list-presets)</translation>
    </message>
    <message>
        <source>--preset and --%1 exclude each other</source>
        <translation>--preset und --%1 schließen einander aus</translation>
    </message>
    <message>
        <source>Make the video for where it is shared, each preset a version of its own: video, video-4k, vertical, square, portrait, gif; repeatable or comma-separated. Each version is checked once written (frame size, frame rate, codecs, colour tags, index first, duration, looping); the exit status is 1 when a version could not be made or fails a check, and the path of every file made is printed all the same.</source>
        <translation>Das Video für den Ort erstellen, an dem es geteilt wird, jede Vorgabe als eigene Fassung: video, video-4k, vertical, square, portrait, gif; mehrfach oder durch Kommas getrennt. Jede Fassung wird nach dem Schreiben geprüft (Bildgröße, Bildrate, Codecs, Farbangaben, Index vorn, Dauer, Wiederholung); der Exit-Status ist 1, wenn eine Fassung nicht erstellt werden konnte oder eine Prüfung nicht besteht, und der Pfad jeder erstellten Datei wird trotzdem ausgegeben.</translation>
    </message>
    <message>
        <source>List the presets: name and description.</source>
        <translation>Vorgaben auflisten: Name und Beschreibung.</translation>
    </message>
    <message>
        <source>the show lasts more than 60 s; its GIF will be large</source>
        <translation>die Diashow dauert länger als 60 s; ihr GIF wird groß</translation>
    </message>
    <message>
        <source>Version %1 of %2: %3</source>
        <translation>Fassung %1 von %2: %3</translation>
    </message>
    <message>
        <source>check failed: %1</source>
        <translation>Prüfung nicht bestanden: %1</translation>
    </message>
    <message>
        <source>Motion of the photos that have none of their own: auto (drift and zoom, the default) or none (still).</source>
        <translation>Bewegung der Fotos ohne eigene: auto (Gleiten und Zoomen, Vorgabe) oder none (still).</translation>
    </message>
    <message>
        <source>--motion takes auto or none, not &apos;%1&apos;</source>
        <translation>--motion nimmt auto oder none, nicht „%1“</translation>
    </message>
    <message>
        <source>Give photos without a caption one: metadata (the description the photo carries, if any), filename (its file name without extension) or none (the default).</source>
        <translation>Fotos ohne Bildtext einen geben: metadata (die Beschreibung, die das Foto enthält, falls vorhanden), filename (sein Dateiname ohne Endung) oder none (die Vorgabe).</translation>
    </message>
    <message>
        <source>Start the show with a title card of TEXT on a gradient.</source>
        <translation>Die Diashow mit einer Titelkarte mit TEXT auf einem Farbverlauf beginnen.</translation>
    </message>
    <message>
        <source>Also write the captions as a SubRip file (.srt) beside the video; the video carries them as a subtitle track in any case where its format has one.</source>
        <translation>Die Bildtexte zusätzlich als SubRip-Datei (.srt) neben das Video schreiben; das Video trägt sie ohnehin als Untertitelspur, wo sein Format eine hat.</translation>
    </message>
    <message>
        <source>--captions takes metadata, filename or none, not &apos;%1&apos;</source>
        <translation>--captions nimmt metadata, filename oder none, nicht „%1“</translation>
    </message>
    <message>
        <source>the title card cannot be written to %1</source>
        <translation>die Titelkarte kann nicht nach %1 geschrieben werden</translation>
    </message>
    <message>
        <source>Overlap each audio clip with the next by this many seconds (0-10, default 0).</source>
        <translation>Jeden Audioclip so viele Sekunden mit dem nächsten überblenden (0-10, Vorgabe 0).</translation>
    </message>
    <message>
        <source>Even the loudness of the audio clips to -14, -16 or -23 LUFS, or leave it (off); default -14, or the show&apos;s.</source>
        <translation>Die Lautheit der Audioclips auf -14, -16 oder -23 LUFS angleichen oder lassen (off); Vorgabe -14 oder die der Show.</translation>
    </message>
    <message>
        <source>Sound written: %1 LUFS, true peak %2 dBTP</source>
        <translation>Geschriebener Ton: %1 LUFS, True Peak %2 dBTP</translation>
    </message>
    <message>
        <source>--crossfade takes seconds from 0 to 10, not &apos;%1&apos;</source>
        <translation>--crossfade nimmt Sekunden von 0 bis 10, nicht &apos;%1&apos;</translation>
    </message>
    <message>
        <source>--loudness takes off, -14, -16 or -23, not &apos;%1&apos;</source>
        <translation>--loudness nimmt off, -14, -16 oder -23, nicht &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Move each photo change to the nearest beat of the music playing.</source>
        <translation>Jeden Fotowechsel auf den nächsten Schlag der laufenden Musik legen.</translation>
    </message>
</context>
<context>
    <name>CaptionSection</name>
    <message>
        <source>Caption:</source>
        <translation>Bildtext:</translation>
    </message>
    <message>
        <source>Text shown over the photo</source>
        <translation>Text, der über dem Foto steht</translation>
    </message>
    <message>
        <source>Kept when the field is left; Ctrl+Return keeps it at once</source>
        <translation>Wird beim Verlassen des Feldes übernommen, mit Strg+Eingabe sofort</translation>
    </message>
    <message>
        <source>Place:</source>
        <translation>Position:</translation>
    </message>
    <message>
        <source>Style:</source>
        <translation>Stil:</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Größe:</translation>
    </message>
    <message>
        <source>Height of the text in percent of the frame&apos;s height</source>
        <translation>Höhe des Textes in Prozent der Bildhöhe</translation>
    </message>
    <message>
        <source>Colour...</source>
        <translation>Farbe...</translation>
    </message>
    <message>
        <source>Outline</source>
        <translation>Kontur</translation>
    </message>
    <message>
        <source>Shadow</source>
        <translation>Schatten</translation>
    </message>
    <message>
        <source>Box</source>
        <translation>Kasten</translation>
    </message>
    <message>
        <source>Top left</source>
        <translation>Oben links</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>Oben</translation>
    </message>
    <message>
        <source>Top right</source>
        <translation>Oben rechts</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Links</translation>
    </message>
    <message>
        <source>Centre</source>
        <translation>Mitte</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>Rechts</translation>
    </message>
    <message>
        <source>Bottom left</source>
        <translation>Unten links</translation>
    </message>
    <message>
        <source>Bottom</source>
        <translation>Unten</translation>
    </message>
    <message>
        <source>Bottom right</source>
        <translation>Unten rechts</translation>
    </message>
    <message>
        <source>As the show</source>
        <translation>Wie die Diashow</translation>
    </message>
    <message>
        <source>Plain with shadow</source>
        <translation>Schlicht mit Schatten</translation>
    </message>
    <message>
        <source>White on dark band</source>
        <translation>Weiß auf dunklem Band</translation>
    </message>
    <message>
        <source>Bold outline</source>
        <translation>Fette Kontur</translation>
    </message>
    <message>
        <source>Handwritten</source>
        <translation>Handschrift</translation>
    </message>
    <message>
        <source>Caption</source>
        <translation>Bildtext</translation>
    </message>
    <message>
        <source>Caption Place</source>
        <translation>Bildtextposition</translation>
    </message>
    <message>
        <source>Caption Style</source>
        <translation>Bildtextstil</translation>
    </message>
    <message>
        <source>Caption Colour</source>
        <translation>Bildtextfarbe</translation>
    </message>
    <message>
        <source>Font...</source>
        <translation>Schrift...</translation>
    </message>
    <message>
        <source>Caption Font</source>
        <translation>Bildtextschrift</translation>
    </message>
    <message>
        <source>Title...</source>
        <translation>Titel...</translation>
    </message>
    <message>
        <source>The title card&apos;s text and background</source>
        <translation>Text und Hintergrund der Titelkarte</translation>
    </message>
    <message>
        <source>The Show&apos;s Style...</source>
        <translation>Stil der Diashow...</translation>
    </message>
    <message>
        <source>The caption style of the whole show</source>
        <translation>Der Bildtextstil der ganzen Diashow</translation>
    </message>
</context>
<context>
    <name>CaptionStyleDialog</name>
    <message>
        <source>Caption Style for the Show</source>
        <translation>Bildtextstil der Diashow</translation>
    </message>
    <message>
        <source>Plain with shadow</source>
        <translation>Schlicht mit Schatten</translation>
    </message>
    <message>
        <source>White on dark band</source>
        <translation>Weiß auf dunklem Band</translation>
    </message>
    <message>
        <source>Bold outline</source>
        <translation>Fette Kontur</translation>
    </message>
    <message>
        <source>Handwritten</source>
        <translation>Handschrift</translation>
    </message>
    <message>
        <source>Start from:</source>
        <translation>Ausgehend von:</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Fett</translation>
    </message>
    <message>
        <source>Font:</source>
        <translation>Schrift:</translation>
    </message>
    <message>
        <source>Height of the text in percent of the frame&apos;s height</source>
        <translation>Höhe des Textes in Prozent der Bildhöhe</translation>
    </message>
    <message>
        <source>Text colour...</source>
        <translation>Textfarbe...</translation>
    </message>
    <message>
        <source>Caption Colour</source>
        <translation>Bildtextfarbe</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Größe:</translation>
    </message>
    <message>
        <source>Outline</source>
        <translation>Kontur</translation>
    </message>
    <message>
        <source>Outline colour...</source>
        <translation>Konturfarbe...</translation>
    </message>
    <message>
        <source>Outline Colour</source>
        <translation>Konturfarbe</translation>
    </message>
    <message>
        <source>Soft shadow</source>
        <translation>Weicher Schatten</translation>
    </message>
    <message>
        <source>Box behind the text</source>
        <translation>Kasten hinter dem Text</translation>
    </message>
    <message>
        <source>Box colour...</source>
        <translation>Kastenfarbe...</translation>
    </message>
    <message>
        <source>Box Colour</source>
        <translation>Kastenfarbe</translation>
    </message>
</context>
<context>
    <name>CompileProgress</name>
    <message>
        <source>Create Video File</source>
        <translation>Videodatei erstellen</translation>
    </message>
    <message>
        <source>Created Successfully!</source>
        <translation>Erfolgreich erstellt!</translation>
    </message>
    <message>
        <source>Failed to create video.</source>
        <translation>Das Video konnte nicht erstellt werden.</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Fortsetzen</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>Failed to open folder &quot;%1&quot;.</source>
        <translation>Der Ordner „%1“ konnte nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>No program could be started to play &quot;%1&quot;.</source>
        <translation>Es konnte kein Programm gestartet werden, um „%1“ abzuspielen.</translation>
    </message>
</context>
<context>
    <name>CompileProgressClass</name>
    <message>
        <source>Create Video File</source>
        <translation>Videodatei erstellen</translation>
    </message>
    <message>
        <source>Creating video...</source>
        <translation>Video wird erstellt...</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Open Output Folder</source>
        <translation>Ausgabeordner öffnen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>%p%</source>
        <comment>percentage shown on the bar</comment>
        <translation>%p&#xa0;%</translation>
    </message>
    <message>
        <source>Play Video</source>
        <translation>Video abspielen</translation>
    </message>
</context>
<context>
    <name>CreationJob</name>
    <message>
        <source>A video is already being created.</source>
        <translation>Es wird bereits ein Video erstellt.</translation>
    </message>
    <message>
        <source>The slide show is empty: add photos before creating a video.</source>
        <translation>Die Diashow ist leer: Fügen Sie Fotos hinzu, bevor Sie ein Video erstellen.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be used as a file name.</source>
        <translation>„%1“ kann nicht als Dateiname verwendet werden.</translation>
    </message>
    <message>
        <source>The output folder %1 cannot be created.</source>
        <translation>Der Ausgabeordner %1 kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>The output folder %1 cannot be written to.</source>
        <translation>In den Ausgabeordner %1 kann nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>No temporary folder can be created in %1.</source>
        <translation>In %1 kann kein temporärer Ordner angelegt werden.</translation>
    </message>
    <message>
        <source>the system</source>
        <translation>dem System</translation>
    </message>
    <message>
        <source>The output file cannot be created in %1.</source>
        <translation>Die Ausgabedatei kann in %1 nicht angelegt werden.</translation>
    </message>
    <message>
        <source>The video encoder cannot be started.</source>
        <translation>Der Video-Encoder kann nicht gestartet werden.</translation>
    </message>
    <message>
        <source>The audio encoder cannot be started.</source>
        <translation>Der Audio-Encoder kann nicht gestartet werden.</translation>
    </message>
    <message>
        <source>No OpenGL context for drawing %1 x %2 frames.</source>
        <translation>Kein OpenGL-Kontext zum Zeichnen von Bildern mit %1 x %2 Pixeln.</translation>
    </message>
    <message>
        <source>video</source>
        <translation>Video</translation>
    </message>
    <message>
        <source>audio</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>The %1 encoder stopped before the end of the show.</source>
        <translation>Der %1-Encoder hat vor dem Ende der Diashow aufgehört.</translation>
    </message>
    <message>
        <source>The %1 encoder failed.</source>
        <translation>Der %1-Encoder ist fehlgeschlagen.</translation>
    </message>
    <message>
        <source>The encoder wrote no video.</source>
        <translation>Der Encoder hat kein Video geschrieben.</translation>
    </message>
    <message>
        <source>The encoder cannot be started.</source>
        <translation>Der Encoder kann nicht gestartet werden.</translation>
    </message>
    <message>
        <source>The encoder could not write the output file.</source>
        <translation>Der Encoder konnte die Ausgabedatei nicht schreiben.</translation>
    </message>
    <message>
        <source>Failed to create video.</source>
        <translation>Das Video konnte nicht erstellt werden.</translation>
    </message>
    <message>
        <source>Stopped.</source>
        <translation>Angehalten.</translation>
    </message>
    <message>
        <source>The profile&apos;s file extension &quot;%1&quot; cannot be used.</source>
        <translation>Die Dateiendung „%1“ des Profils kann nicht verwendet werden.</translation>
    </message>
    <message>
        <source>The output folder %1 was removed while the video was being created.</source>
        <translation>Der Ausgabeordner %1 wurde entfernt, während das Video erstellt wurde.</translation>
    </message>
    <message>
        <source>The disk is full: there is no room left in %1.</source>
        <translation>Der Datenträger ist voll: In %1 ist kein Platz mehr frei.</translation>
    </message>
    <message>
        <source>The disk is full or takes no file this large: there is no room left for the video in %1.</source>
        <translation>Der Datenträger ist voll oder nimmt keine so große Datei auf: In %1 ist kein Platz mehr für das Video.</translation>
    </message>
    <message>
        <source>The encoder could not make the GIF&apos;s palette.</source>
        <translation>Der Encoder konnte die Palette des GIF nicht erstellen.</translation>
    </message>
</context>
<context>
    <name>GettingStarted</name>
    <message>
        <source>Let&apos;s make a slide show</source>
        <translation>Ihre Diashow in drei Schritten</translation>
    </message>
    <message>
        <source>Import your photos</source>
        <translation>Fotos importieren</translation>
    </message>
    <message>
        <source>Add some music</source>
        <translation>Musik hinzufügen</translation>
    </message>
    <message>
        <source>Create your video file</source>
        <translation>Videodatei erstellen</translation>
    </message>
    <message>
        <source>Use the buttons below to begin</source>
        <translation>Beginnen Sie mit den Schaltflächen unten</translation>
    </message>
</context>
<context>
    <name>ImportProgress</name>
    <message>
        <source>Import Progress</source>
        <translation>Importfortschritt</translation>
    </message>
    <message>
        <source>Importing %1...</source>
        <translation>%1 wird importiert...</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <comment>a file that was not added, and why</comment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Some files have not been added to the list:</source>
        <translation>Einige Dateien wurden nicht zur Liste hinzugefügt:</translation>
    </message>
    <message>
        <source>not found</source>
        <translation>nicht gefunden</translation>
    </message>
    <message>
        <source>a folder with nothing to import</source>
        <translation>ein Ordner ohne importierbare Dateien</translation>
    </message>
    <message>
        <source>no permission to read it</source>
        <translation>keine Leseberechtigung</translation>
    </message>
    <message>
        <source>empty</source>
        <translation>leer</translation>
    </message>
    <message>
        <source>not a photo file that can be read</source>
        <translation>keine lesbare Fotodatei</translation>
    </message>
    <message>
        <source>not an audio file that can be read</source>
        <translation>keine lesbare Audiodatei</translation>
    </message>
    <message>
        <source>damaged, or not a photo that can be read</source>
        <translation>beschädigt oder kein lesbares Foto</translation>
    </message>
    <message>
        <source>damaged, or not audio that can be read</source>
        <translation>beschädigt oder kein lesbares Audio</translation>
    </message>
</context>
<context>
    <name>ImportProgressClass</name>
    <message>
        <source>Import Progress</source>
        <translation>Importfortschritt</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>%p%</source>
        <comment>percentage shown on the bar</comment>
        <translation>%p&#xa0;%</translation>
    </message>
</context>
<context>
    <name>MediaInfoWidget</name>
    <message>
        <source>File Name:</source>
        <translation>Dateiname:</translation>
    </message>
    <message>
        <source>Format:</source>
        <translation>Format:</translation>
    </message>
    <message>
        <source>Resolution:</source>
        <translation>Auflösung:</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Größe:</translation>
    </message>
    <message>
        <source>Modified:</source>
        <translation>Geändert:</translation>
    </message>
    <message>
        <source>Equipment Make:</source>
        <translation>Kamerahersteller:</translation>
    </message>
    <message>
        <source>Camera Model:</source>
        <translation>Kameramodell:</translation>
    </message>
    <message>
        <source>Software:</source>
        <translation>Software:</translation>
    </message>
    <message>
        <source>Compressed Bit-Per-Pixel:</source>
        <translation>Komprimierte Bits pro Pixel:</translation>
    </message>
    <message>
        <source>Exposure Time:</source>
        <translation>Belichtungszeit:</translation>
    </message>
    <message>
        <source>F-Number:</source>
        <translation>Blendenzahl:</translation>
    </message>
    <message>
        <source>Exposure Mode:</source>
        <translation>Belichtungsmodus:</translation>
    </message>
    <message>
        <source>Exposure Bias:</source>
        <translation>Belichtungs­korrektur:</translation>
    </message>
    <message>
        <source>Max Aperture:</source>
        <translation>Größte Blendenöffnung:</translation>
    </message>
    <message>
        <source>Channels:</source>
        <translation>Kanäle:</translation>
    </message>
    <message>
        <source>Sample Rate:</source>
        <translation>Abtastrate:</translation>
    </message>
    <message>
        <source>Duration:</source>
        <translation>Dauer:</translation>
    </message>
    <message>
        <source>%1 KB</source>
        <translation>%1&#xa0;KB</translation>
    </message>
    <message>
        <source>%1 Hz</source>
        <translation>%1&#xa0;Hz</translation>
    </message>
    <message>
        <source>%1 - Properties</source>
        <translation>%1 - Eigenschaften</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Eigenschaften</translation>
    </message>
</context>
<context>
    <name>MotionRectEditor</name>
    <message>
        <source>Start</source>
        <translation>Anfang</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Ende</translation>
    </message>
</context>
<context>
    <name>OutputSetting</name>
    <message>
        <source>Output Settings</source>
        <translation>Ausgabeeinstellungen</translation>
    </message>
    <message>
        <source>More &lt;&lt;</source>
        <translation>Weniger &lt;&lt;</translation>
    </message>
    <message>
        <source>More &gt;&gt;</source>
        <translation>Mehr &gt;&gt;</translation>
    </message>
    <message>
        <source>The output folder is unavailable. Please choose another one.</source>
        <translation>Der Ausgabeordner ist nicht verfügbar. Bitte wählen Sie einen anderen.</translation>
    </message>
    <message>
        <source>The output folder is read-only, please select other folder.</source>
        <translation>Der Ausgabeordner ist schreibgeschützt. Bitte wählen Sie einen anderen Ordner.</translation>
    </message>
    <message>
        <source>Output file name is not usable, please change to another file name.</source>
        <translation>Der Name der Ausgabedatei ist nicht verwendbar. Bitte wählen Sie einen anderen Dateinamen.</translation>
    </message>
    <message>
        <source>As in the profile</source>
        <translation>Wie im Profil</translation>
    </message>
    <message>
        <source>16:9 (wide screen)</source>
        <translation>16:9 (Breitbild)</translation>
    </message>
    <message>
        <source>9:16 (phones)</source>
        <translation>9:16 (Smartphones)</translation>
    </message>
    <message>
        <source>1:1 (square)</source>
        <translation>1:1 (quadratisch)</translation>
    </message>
    <message>
        <source>4:5 (portrait)</source>
        <translation>4:5 (Hochformat)</translation>
    </message>
    <message>
        <source>My Photo Movie</source>
        <translation>Mein Fotofilm</translation>
    </message>
</context>
<context>
    <name>OutputSettingClass</name>
    <message>
        <source>Output Settings</source>
        <translation>Ausgabeeinstellungen</translation>
    </message>
    <message>
        <source>Profile:</source>
        <translation>Profil:</translation>
    </message>
    <message>
        <source>File Name:</source>
        <translation>Dateiname:</translation>
    </message>
    <message>
        <source>&amp;Destination:</source>
        <translation>&amp;Ziel:</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>&amp;Durchsuchen...</translation>
    </message>
    <message>
        <source>&amp;Shape:</source>
        <translation>&amp;Bildformat:</translation>
    </message>
    <message>
        <source>The shape of the video&apos;s frames, at the resolution of the profile</source>
        <translation>Das Seitenverhältnis der Videobilder bei der Auflösung des Profils</translation>
    </message>
    <message>
        <source>Also make these versions</source>
        <translation>Auch diese Fassungen erstellen</translation>
    </message>
    <message>
        <source>Each ticked preset is made as a version of its own, one after another, and checked once written</source>
        <translation>Jede angekreuzte Vorgabe wird als eigene Fassung erstellt, eine nach der anderen, und nach dem Schreiben geprüft</translation>
    </message>
</context>
<context>
    <name>PhotoListWidget</name>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Dimension</source>
        <translation>Abmessungen</translation>
    </message>
    <message>
        <source>Depth</source>
        <translation>Farbtiefe</translation>
    </message>
    <message>
        <source>Bits</source>
        <translation>Bit</translation>
    </message>
    <message>
        <source>Drag Photo(s) Here</source>
        <translation>Fotos hierher ziehen</translation>
    </message>
    <message>
        <source>Missing</source>
        <translation>Fehlt</translation>
    </message>
</context>
<context>
    <name>PhotoSettingsPanel</name>
    <message>
        <source>Swap Motion</source>
        <translation>Bewegung tauschen</translation>
    </message>
    <message>
        <source>Selected Photos</source>
        <translation>Ausgewählte Fotos</translation>
    </message>
    <message>
        <source>Duration:</source>
        <translation>Dauer:</translation>
    </message>
    <message>
        <source>Transition:</source>
        <translation>Übergang:</translation>
    </message>
    <message>
        <source>Motion:</source>
        <translation>Bewegung:</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>Drag the start and end frames on the paused preview</source>
        <translation>Start- und Endausschnitt in der angehaltenen Vorschau ziehen</translation>
    </message>
    <message>
        <source>Swap</source>
        <translation>Tauschen</translation>
    </message>
    <message>
        <source>Exchange the start and end frames</source>
        <translation>Start- und Endausschnitt vertauschen</translation>
    </message>
    <message>
        <source>As Album</source>
        <translation>Wie Album</translation>
    </message>
    <message>
        <source>Give the selected photos the album&apos;s settings again</source>
        <translation>Den ausgewählten Fotos wieder die Albumeinstellungen geben</translation>
    </message>
    <message>
        <source>As the album</source>
        <translation>Wie das Album</translation>
    </message>
    <message>
        <source>Dissolve</source>
        <translation>Überblenden</translation>
    </message>
    <message>
        <source>Wipe</source>
        <translation>Wischen</translation>
    </message>
    <message>
        <source>Random wipe</source>
        <translation>Zufälliges Wischen</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Schnitt</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatisch</translation>
    </message>
    <message>
        <source>None (still)</source>
        <translation>Keine (still)</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Hineinzoomen</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Herauszoomen</translation>
    </message>
    <message>
        <source>Pan left</source>
        <translation>Nach links schwenken</translation>
    </message>
    <message>
        <source>Pan right</source>
        <translation>Nach rechts schwenken</translation>
    </message>
    <message>
        <source>Pan up</source>
        <translation>Nach oben schwenken</translation>
    </message>
    <message>
        <source>Pan down</source>
        <translation>Nach unten schwenken</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Eigene</translation>
    </message>
    <message>
        <source>Linear</source>
        <translation>Gleichmäßig</translation>
    </message>
    <message>
        <source>Ease in and out</source>
        <translation>Sanft an und aus</translation>
    </message>
    <message>
        <source>Photo Duration</source>
        <translation>Fotodauer</translation>
    </message>
    <message>
        <source>Transition</source>
        <translation>Übergang</translation>
    </message>
    <message>
        <source>Transition Length</source>
        <translation>Übergangslänge</translation>
    </message>
    <message>
        <source>Motion</source>
        <translation>Bewegung</translation>
    </message>
    <message>
        <source>Own</source>
        <translation>Eigene</translation>
    </message>
    <message>
        <source>This photo&apos;s own duration instead of the album&apos;s</source>
        <translation>Eigene Dauer dieses Fotos statt der des Albums</translation>
    </message>
    <message>
        <source>Length:</source>
        <translation>Länge:</translation>
    </message>
    <message>
        <source>This transition&apos;s own length instead of the album&apos;s</source>
        <translation>Eigene Länge dieses Übergangs statt der des Albums</translation>
    </message>
</context>
<context>
    <name>Preferences</name>
    <message>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Failed to open folder &quot;%1&quot;.</source>
        <translation>Der Ordner „%1“ konnte nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>The output folder is unavailable. Please choose another one.</source>
        <translation>Der Ausgabeordner ist nicht verfügbar. Bitte wählen Sie einen anderen.</translation>
    </message>
    <message>
        <source>The output folder is read-only, please select other folder.</source>
        <translation>Der Ausgabeordner ist schreibgeschützt. Bitte wählen Sie einen anderen Ordner.</translation>
    </message>
</context>
<context>
    <name>PreferencesClass</name>
    <message>
        <source>Preferences</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Ausgabe</translation>
    </message>
    <message>
        <source>Output Folder:</source>
        <translation>Ausgabeordner:</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Durchsuchen...</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Update Settings</source>
        <translation>Aktualisierung</translation>
    </message>
    <message>
        <source>Check for Updates Automatically:</source>
        <translation>Automatisch nach Aktualisierungen suchen:</translation>
    </message>
    <message>
        <source>Every Day</source>
        <translation>Täglich</translation>
    </message>
    <message>
        <source>Every Week</source>
        <translation>Wöchentlich</translation>
    </message>
    <message>
        <source>Every Month</source>
        <translation>Monatlich</translation>
    </message>
    <message>
        <source>Power Manager</source>
        <translation>Energieverwaltung</translation>
    </message>
    <message>
        <source>Reset to Default</source>
        <translation>Standard wiederherstellen</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>Umwandlung</translation>
    </message>
    <message>
        <source>CPU</source>
        <translation>Prozessor</translation>
    </message>
    <message>
        <source>Setting the CPU core number for conversion will affect the conversion 
speed and the amount of system resource required.</source>
        <translation>Die Zahl der Kerne bestimmt, wie schnell umgewandelt wird
und wie viele Systemressourcen dafür nötig sind.</translation>
    </message>
    <message>
        <source>(Auto-apply settings for the next conversion)</source>
        <translation>(Gilt automatisch ab der nächsten Umwandlung)</translation>
    </message>
    <message>
        <source>Convert using all cores (Offers the highest conversion speed)</source>
        <translation>Alle Kerne verwenden (höchste Geschwindigkeit)</translation>
    </message>
    <message>
        <source>Convert using the least core number (The least resources)</source>
        <translation>Möglichst wenige Kerne verwenden (geringster Ressourcenbedarf)</translation>
    </message>
    <message>
        <source>Customize core number:</source>
        <translation>Anzahl der Kerne festlegen:</translation>
    </message>
    <message>
        <source>Post Task Action</source>
        <translation>Aktion nach Abschluss</translation>
    </message>
    <message>
        <source>Selected Post Task Action:</source>
        <translation>Aktion nach Abschluss:</translation>
    </message>
    <message>
        <source>Do Nothing</source>
        <translation>Nichts tun</translation>
    </message>
    <message>
        <source>Exit Program</source>
        <translation>Programm beenden</translation>
    </message>
    <message>
        <source>Shut Down</source>
        <translation>Herunterfahren</translation>
    </message>
    <message>
        <source>Hibernate</source>
        <translation>Ruhezustand</translation>
    </message>
    <message>
        <source>Stand By</source>
        <translation>Bereitschaft</translation>
    </message>
</context>
<context>
    <name>Reader</name>
    <message>
        <source>&quot;%1&quot; must be an object</source>
        <translation>„%1“ muss ein Objekt sein</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be a list</source>
        <translation>„%1“ muss eine Liste sein</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be true or false</source>
        <translation>„%1“ muss true oder false sein</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be a whole number</source>
        <translation>„%1“ muss eine ganze Zahl sein</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is %2, outside %3 to %4</source>
        <translation>„%1“ ist %2 und liegt außerhalb von %3 bis %4</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be a number</source>
        <translation>„%1“ muss eine Zahl sein</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be a text</source>
        <translation>„%1“ muss ein Text sein</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds a zero character</source>
        <translation>„%1“ enthält ein Nullzeichen</translation>
    </message>
    <message>
        <source>the &quot;path&quot; is missing</source>
        <translation>„path“ fehlt</translation>
    </message>
    <message>
        <source>the &quot;path&quot; is empty</source>
        <translation>„path“ ist leer</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be a list of 4 numbers</source>
        <translation>„%1“ muss eine Liste aus 4 Zahlen sein</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be a list of 4 numbers within -%2 to %2</source>
        <translation>„%1“ muss eine Liste aus 4 Zahlen von -%2 bis %2 sein</translation>
    </message>
    <message>
        <source>photo %1</source>
        <translation>Foto %1</translation>
    </message>
    <message>
        <source>must be an object</source>
        <translation>muss ein Objekt sein</translation>
    </message>
    <message>
        <source>more than %1 orientation steps</source>
        <translation>mehr als %1 Drehschritte</translation>
    </message>
    <message>
        <source>audio clip %1</source>
        <translation>Audioclip %1</translation>
    </message>
    <message>
        <source>the clip ends (%1 s) before it starts (%2 s)</source>
        <translation>der Clip endet (%1 s), bevor er beginnt (%2 s)</translation>
    </message>
    <message>
        <source>the clip ends (%1 s) after the file (%2 s)</source>
        <translation>der Clip endet (%1 s) nach dem Ende der Datei (%2 s)</translation>
    </message>
    <message>
        <source>the profile value &quot;%1&quot; must be a text, a number or true or false</source>
        <translation>der Profilwert „%1“ muss ein Text, eine Zahl oder true oder false sein</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be a list of 4 numbers within -%2 to %2: left, top and a width and height above 0</source>
        <translation>„%1“ muss eine Liste von 4 Zahlen zwischen -%2 und %2 sein: links, oben und eine Breite und Höhe über 0</translation>
    </message>
    <message>
        <source>the &quot;pattern&quot; must be a file name</source>
        <translation>das „pattern“ muss ein Dateiname sein</translation>
    </message>
</context>
<context>
    <name>ShowSession</name>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>Save Show As</source>
        <translation>Diashow speichern unter</translation>
    </message>
    <message>
        <source>The show &quot;%1&quot; has changes that are not saved.</source>
        <translation>Die Diashow „%1“ enthält nicht gespeicherte Änderungen.</translation>
    </message>
    <message>
        <source>Do you want to save them?</source>
        <translation>Möchten Sie sie speichern?</translation>
    </message>
    <message>
        <source>Open Show</source>
        <translation>Diashow öffnen</translation>
    </message>
</context>
<context>
    <name>TitleCardDialog</name>
    <message>
        <source>Text:</source>
        <translation>Text:</translation>
    </message>
    <message>
        <source>Gradient</source>
        <translation>Farbverlauf</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <source>Blurred copy of a photo</source>
        <translation>Unscharfe Kopie eines Fotos</translation>
    </message>
    <message>
        <source>Background:</source>
        <translation>Hintergrund:</translation>
    </message>
    <message>
        <source>Colour...</source>
        <translation>Farbe...</translation>
    </message>
    <message>
        <source>Title Card Colour</source>
        <translation>Farbe der Titelkarte</translation>
    </message>
    <message>
        <source>Second colour...</source>
        <translation>Zweite Farbe...</translation>
    </message>
    <message>
        <source>Colours:</source>
        <translation>Farben:</translation>
    </message>
    <message>
        <source>Photo:</source>
        <translation>Foto:</translation>
    </message>
</context>
<context>
    <name>Vellumix</name>
    <message>
        <source>Auto Rotate</source>
        <translation>Automatisch drehen</translation>
    </message>
    <message>
        <source>Auto Rotate All Photos</source>
        <translation>Alle Fotos automatisch drehen</translation>
    </message>
    <message>
        <source>Photo Duration</source>
        <translation>Fotodauer</translation>
    </message>
    <message>
        <source>Transition Duration</source>
        <translation>Übergangsdauer</translation>
    </message>
    <message>
        <source>Use Transition</source>
        <translation>Übergänge verwenden</translation>
    </message>
    <message>
        <source>Use Zoom Effect</source>
        <translation>Zoomeffekt verwenden</translation>
    </message>
    <message>
        <source>Transition</source>
        <translation>Übergang</translation>
    </message>
    <message>
        <source>Audio Settings</source>
        <translation>Audioeinstellungen</translation>
    </message>
    <message>
        <source>Sync with Audio</source>
        <translation>An Audio anpassen</translation>
    </message>
    <message>
        <source>Edit Photos</source>
        <translation>Fotos bearbeiten</translation>
    </message>
    <message>
        <source>Edit Audio</source>
        <translation>Audio bearbeiten</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>Move Left</source>
        <translation>Nach links</translation>
    </message>
    <message>
        <source>Move Right</source>
        <translation>Nach rechts</translation>
    </message>
    <message>
        <source>Turn Left</source>
        <translation>Nach links drehen</translation>
    </message>
    <message>
        <source>Turn Right</source>
        <translation>Nach rechts drehen</translation>
    </message>
    <message>
        <source>Mirror</source>
        <translation>Spiegeln</translation>
    </message>
    <message>
        <source>Flip</source>
        <translation>Kippen</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Sort</source>
        <translation>Sortieren</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importieren</translation>
    </message>
    <message>
        <source>Select One or More Files</source>
        <translation>Eine oder mehrere Dateien auswählen</translation>
    </message>
    <message>
        <source>Select one folder</source>
        <translation>Einen Ordner auswählen</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>Rückgängig: %1</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation>Wiederholen: %1</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Fit (black bars)</source>
        <translation>Einpassen (schwarze Balken)</translation>
    </message>
    <message>
        <source>Fit on a blurred background</source>
        <translation>Einpassen vor unscharfem Hintergrund</translation>
    </message>
    <message>
        <source>Fill (crop)</source>
        <translation>Füllen (beschneiden)</translation>
    </message>
    <message>
        <source>Framing</source>
        <translation>Bildausschnitt</translation>
    </message>
    <message>
        <source>&amp;New Show</source>
        <translation>&amp;Neue Diashow</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>&amp;Zuletzt geöffnet</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>Vellumix did not close normally last time.</source>
        <translation>Vellumix wurde beim letzten Mal nicht normal beendet.</translation>
    </message>
    <message>
        <source>The show &quot;%1&quot; was saved automatically at %2. Do you want to recover it?</source>
        <translation>Die Diashow „%1“ wurde um %2 automatisch gesichert. Möchten Sie sie wiederherstellen?</translation>
    </message>
    <message>
        <source>&amp;Recover</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <source>%1[*] - %2</source>
        <translation>%1[*] - %2</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) of this show could not be found. They stay in the show, marked in the strips, and are left out of the video until they are back in place:</source>
        <translation>
            <numerusform>%n Datei dieser Diashow wurde nicht gefunden. Sie bleibt in der Diashow, ist in den Leisten markiert und wird im Video ausgelassen, bis sie wieder an ihrem Platz ist:</numerusform>
            <numerusform>%n Dateien dieser Diashow wurden nicht gefunden. Sie bleiben in der Diashow, sind in den Leisten markiert und werden im Video ausgelassen, bis sie wieder an ihrem Platz sind:</numerusform>
        </translation>
    </message>
    <message>
        <source>None of the photos of this show can be found, so there is nothing to make a video of:</source>
        <translation>Keines der Fotos dieser Diashow ist auffindbar, daher kann kein Video erstellt werden:</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) of this show could not be found and will be left out of the video:</source>
        <translation>
            <numerusform>%n Datei dieser Diashow wurde nicht gefunden und wird im Video ausgelassen:</numerusform>
            <numerusform>%n Dateien dieser Diashow wurden nicht gefunden und werden im Video ausgelassen:</numerusform>
        </translation>
    </message>
    <message>
        <source>This show lasts more than 60 seconds. An animated GIF of it will be large and slow to send. Make the GIF anyway?</source>
        <translation>Diese Diashow dauert länger als 60 Sekunden. Ein animiertes GIF davon wird groß und langsam zu versenden. Das GIF trotzdem erstellen?</translation>
    </message>
    <message>
        <source>As the album</source>
        <translation>Wie das Album</translation>
    </message>
    <message>
        <source>Dissolve</source>
        <translation>Überblenden</translation>
    </message>
    <message>
        <source>Wipe</source>
        <translation>Wischen</translation>
    </message>
    <message>
        <source>Random wipe</source>
        <translation>Zufälliges Wischen</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Schnitt</translation>
    </message>
    <message>
        <source>Length...</source>
        <translation>Länge...</translation>
    </message>
    <message>
        <source>Transition Length</source>
        <translation>Übergangslänge</translation>
    </message>
    <message>
        <source>Length of this transition (ms):</source>
        <translation>Länge dieses Übergangs (ms):</translation>
    </message>
    <message>
        <source>Album&apos;s Length</source>
        <translation>Länge des Albums</translation>
    </message>
    <message>
        <source>Album</source>
        <translation>Album</translation>
    </message>
    <message>
        <source>Per Photo</source>
        <translation>Je Foto</translation>
    </message>
    <message>
        <source>Motion</source>
        <translation>Bewegung</translation>
    </message>
    <message>
        <source>Edit Caption...</source>
        <translation>Bildtext bearbeiten...</translation>
    </message>
    <message>
        <source>Caption from Photo Description</source>
        <translation>Bildtext aus der Fotobeschreibung</translation>
    </message>
    <message>
        <source>The description the photo file carries (XMP, IPTC or camera data)</source>
        <translation>Die Beschreibung, die die Fotodatei enthält (XMP, IPTC oder Kameradaten)</translation>
    </message>
    <message>
        <source>Caption from File Name</source>
        <translation>Bildtext aus dem Dateinamen</translation>
    </message>
    <message>
        <source>Add Title...</source>
        <translation>Titel hinzufügen...</translation>
    </message>
    <message>
        <source>A title card before the selected photo</source>
        <translation>Eine Titelkarte vor dem ausgewählten Foto</translation>
    </message>
    <message>
        <source>Caption of this photo:</source>
        <translation>Bildtext dieses Fotos:</translation>
    </message>
    <message numerus="yes">
        <source>Caption of the %n selected photos:</source>
        <translation>
            <numerusform>Bildtext des ausgewählten Fotos:</numerusform>
            <numerusform>Bildtext der %n ausgewählten Fotos:</numerusform>
        </translation>
    </message>
    <message>
        <source>Edit Caption</source>
        <translation>Bildtext bearbeiten</translation>
    </message>
    <message>
        <source>Caption</source>
        <translation>Bildtext</translation>
    </message>
    <message>
        <source>Add Title</source>
        <translation>Titel hinzufügen</translation>
    </message>
    <message>
        <source>The title card cannot be written to %1.</source>
        <translation>Die Titelkarte kann nicht nach %1 geschrieben werden.</translation>
    </message>
    <message>
        <source>Use This Caption Style for the Show</source>
        <translation>Diesen Bildtextstil für die Diashow verwenden</translation>
    </message>
    <message>
        <source>Every caption without a style of its own takes this photo&apos;s caption style</source>
        <translation>Jeder Bildtext ohne eigenen Stil übernimmt den Bildtextstil dieses Fotos</translation>
    </message>
    <message>
        <source>Caption Style</source>
        <translation>Bildtextstil</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>%1 LUFS</source>
        <translation>%1 LUFS</translation>
    </message>
    <message>
        <source>Crossfade</source>
        <translation>Überblenden</translation>
    </message>
    <message>
        <source>Loudness</source>
        <translation>Lautheit</translation>
    </message>
    <message>
        <source>Music</source>
        <translation>Musik</translation>
    </message>
    <message>
        <source>Cut on the Beat</source>
        <translation>Auf den Takt schneiden</translation>
    </message>
    <message>
        <source>Edit Title...</source>
        <translation>Titel bearbeiten...</translation>
    </message>
    <message>
        <source>The selected title card&apos;s text and background</source>
        <translation>Text und Hintergrund der ausgewählten Titelkarte</translation>
    </message>
    <message>
        <source>Caption Style for the Show...</source>
        <translation>Bildtextstil der Diashow...</translation>
    </message>
    <message>
        <source>The look of every caption without a style of its own</source>
        <translation>Das Aussehen aller Bildtexte ohne eigenen Stil</translation>
    </message>
    <message>
        <source>Edit Title</source>
        <translation>Titel bearbeiten</translation>
    </message>
</context>
<context>
    <name>VellumixClass</name>
    <message>
        <source>Play</source>
        <translation>Wiedergabe</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Stumm schalten</translation>
    </message>
    <message>
        <source>Unmute</source>
        <translation>Ton einschalten</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Lautstärke</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Länge</translation>
    </message>
    <message>
        <source>Album</source>
        <translation>Album</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>Album Settings</source>
        <translation>Albumeinstellungen</translation>
    </message>
    <message>
        <source>Photo</source>
        <translation>Foto</translation>
    </message>
    <message>
        <source>ms</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>Sync with Audio</source>
        <translation>An Audio anpassen</translation>
    </message>
    <message>
        <source>Transition</source>
        <translation>Übergang</translation>
    </message>
    <message>
        <source>Use Zoom Effect</source>
        <translation>Zoomeffekt verwenden</translation>
    </message>
    <message>
        <source>Use Transition</source>
        <translation>Übergänge verwenden</translation>
    </message>
    <message>
        <source>Dissolve Only</source>
        <translation>Nur Überblenden</translation>
    </message>
    <message>
        <source>Random Transition</source>
        <translation>Zufälliger Übergang</translation>
    </message>
    <message>
        <source>Audio Settings</source>
        <translation>Audioeinstellungen</translation>
    </message>
    <message>
        <source>Loop</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Fade In/Out</source>
        <translation>Ein-/Ausblenden</translation>
    </message>
    <message>
        <source>Edit Audio</source>
        <translation>Audio bearbeiten</translation>
    </message>
    <message>
        <source>Import Photo(s)</source>
        <translation>Fotos importieren</translation>
    </message>
    <message>
        <source>Import Photo Folder</source>
        <translation>Fotoordner importieren</translation>
    </message>
    <message>
        <source>Import Audio File(s)</source>
        <translation>Audiodateien importieren</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>|</source>
        <translation>|</translation>
    </message>
    <message>
        <source>Turn Left</source>
        <translation>Nach links drehen</translation>
    </message>
    <message>
        <source>Turn Right</source>
        <translation>Nach rechts drehen</translation>
    </message>
    <message>
        <source>Mirror</source>
        <translation>Spiegeln</translation>
    </message>
    <message>
        <source>Flip</source>
        <translation>Kippen</translation>
    </message>
    <message>
        <source>Auto Rotate</source>
        <translation>Automatisch drehen</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Move Left</source>
        <translation>Nach links</translation>
    </message>
    <message>
        <source>Move Right</source>
        <translation>Nach rechts</translation>
    </message>
    <message>
        <source>Create Video File</source>
        <translation>Videodatei erstellen</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>Sort By</source>
        <translation>Sortieren nach</translation>
    </message>
    <message>
        <source>&amp;Actions</source>
        <translation>&amp;Aktionen</translation>
    </message>
    <message>
        <source>Post Task &amp;Actions</source>
        <translation>&amp;Aktion nach Abschluss</translation>
    </message>
    <message>
        <source>&amp;Import Photo(s)...</source>
        <translation>Fotos &amp;importieren...</translation>
    </message>
    <message>
        <source>I&amp;mport Photo Folder...</source>
        <translation>Foto&amp;ordner importieren...</translation>
    </message>
    <message>
        <source>Import &amp;Audio File(s)...</source>
        <translation>&amp;Audiodateien importieren...</translation>
    </message>
    <message>
        <source>&amp;Properties</source>
        <translation>&amp;Eigenschaften</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>&amp;Clear</source>
        <translation>Lee&amp;ren</translation>
    </message>
    <message>
        <source>&amp;Select All</source>
        <translation>&amp;Alles auswählen</translation>
    </message>
    <message>
        <source>Select Invert</source>
        <translation>Auswahl umkehren</translation>
    </message>
    <message>
        <source>Auto Rotate All Photos</source>
        <translation>Alle Fotos automatisch drehen</translation>
    </message>
    <message>
        <source>Auto Rotate Photos While Importing</source>
        <translation>Fotos beim Importieren automatisch drehen</translation>
    </message>
    <message>
        <source>&amp;Create Video File</source>
        <translation>Videodatei &amp;erstellen</translation>
    </message>
    <message>
        <source>Do &amp;Nothing</source>
        <translation>&amp;Nichts tun</translation>
    </message>
    <message>
        <source>&amp;Exit Program</source>
        <translation>Programm &amp;beenden</translation>
    </message>
    <message>
        <source>&amp;Hibernate</source>
        <translation>&amp;Ruhezustand</translation>
    </message>
    <message>
        <source>&amp;Shut Down</source>
        <translation>&amp;Herunterfahren</translation>
    </message>
    <message>
        <source>Stand &amp;By</source>
        <translation>&amp;Bereitschaft</translation>
    </message>
    <message>
        <source>Skins</source>
        <translation>Oberflächen</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>&amp;Preferences...</source>
        <translation>&amp;Einstellungen...</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Ascending</source>
        <translation>Aufsteigend</translation>
    </message>
    <message>
        <source>Descending</source>
        <translation>Absteigend</translation>
    </message>
    <message>
        <source>%1 Files</source>
        <translation>%1-Dateien</translation>
    </message>
    <message>
        <source>All Supported Files</source>
        <translation>Alle unterstützten Dateien</translation>
    </message>
    <message>
        <source>All Files</source>
        <translation>Alle Dateien</translation>
    </message>
    <message>
        <source>Framing</source>
        <translation>Bildausschnitt</translation>
    </message>
    <message>
        <source>How photos of another shape than the video fill its frame</source>
        <translation>Wie Fotos mit anderem Seitenverhältnis als das Video dessen Bild füllen</translation>
    </message>
    <message numerus="yes">
        <source>and %n more</source>
        <translation>
            <numerusform>und %n weitere</numerusform>
            <numerusform>und %n weitere</numerusform>
        </translation>
    </message>
    <message>
        <source>&amp;New Show</source>
        <translation>&amp;Neue Diashow</translation>
    </message>
    <message>
        <source>&amp;Save Show</source>
        <translation>Diashow &amp;speichern</translation>
    </message>
    <message>
        <source>Sa&amp;ve Show As...</source>
        <translation>Diashow speichern &amp;unter...</translation>
    </message>
    <message>
        <source>&amp;Open Show...</source>
        <translation>Diashow ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>Crossfade:</source>
        <translation>Überblenden:</translation>
    </message>
    <message>
        <source>How long each song fades into the next (0: one after the other)</source>
        <translation>Wie lange jedes Lied in das nächste überblendet (0: eines nach dem anderen)</translation>
    </message>
    <message>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <source>Loudness:</source>
        <translation>Lautheit:</translation>
    </message>
    <message>
        <source>Plays every song at the same loudness, without peaks above -1 dBTP</source>
        <translation>Spielt jedes Lied gleich laut, ohne Spitzen über -1 dBTP</translation>
    </message>
    <message>
        <source>Music</source>
        <translation>Musik</translation>
    </message>
    <message>
        <source>Moves each photo change to the nearest beat of the music</source>
        <translation>Legt jeden Fotowechsel auf den nächsten Schlag der Musik</translation>
    </message>
    <message>
        <source>Cut on the beat</source>
        <translation>Auf den Takt schneiden</translation>
    </message>
</context>
<context>
    <name>VersionCheck</name>
    <message>
        <source>all checks passed</source>
        <translation>alle Prüfungen bestanden</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Frame size</source>
        <translation>Bildgröße</translation>
    </message>
    <message>
        <source>Frame rate</source>
        <translation>Bildrate</translation>
    </message>
    <message>
        <source>Video codec</source>
        <translation>Video-Codec</translation>
    </message>
    <message>
        <source>Audio codec</source>
        <translation>Audio-Codec</translation>
    </message>
    <message>
        <source>Colour tags</source>
        <translation>Farbangaben</translation>
    </message>
    <message>
        <source>Index first</source>
        <translation>Index vorn</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Dauer</translation>
    </message>
    <message>
        <source>Looping</source>
        <translation>Wiederholung</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1: %2 (expected %3)</source>
        <translation>%1: %2 (erwartet %3)</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>nicht lesbar</translation>
    </message>
    <message>
        <source>no stream information</source>
        <translation>keine Angaben zu den Datenströmen</translation>
    </message>
    <message>
        <source>no video</source>
        <translation>kein Video</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keiner</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>ja</translation>
    </message>
    <message>
        <source>no</source>
        <translation>nein</translation>
    </message>
    <message>
        <source>forever</source>
        <translation>endlos</translation>
    </message>
    <message>
        <source>once</source>
        <translation>einmal</translation>
    </message>
</context>
<context>
    <name>VersionProgress</name>
    <message>
        <source>%1: not made. %2</source>
        <translation>%1: nicht erstellt. %2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1: %2, all checks passed</source>
        <translation>%1: %2, alle Prüfungen bestanden</translation>
    </message>
    <message>
        <source>%1: %2, check failed: %3</source>
        <translation>%1: %2, Prüfung nicht bestanden: %3</translation>
    </message>
    <message>
        <source>Stopped.</source>
        <translation>Angehalten.</translation>
    </message>
    <message>
        <source>Created Successfully!</source>
        <translation>Erfolgreich erstellt!</translation>
    </message>
    <message>
        <source>Not every version was made as it should be.</source>
        <translation>Nicht jede Fassung wurde wie vorgesehen erstellt.</translation>
    </message>
    <message>
        <source>Making version %1 of %2: %3</source>
        <translation>Fassung %1 von %2 wird erstellt: %3</translation>
    </message>
    <message>
        <source>Create Video File</source>
        <translation>Videodatei erstellen</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Fortsetzen</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>Failed to open folder &quot;%1&quot;.</source>
        <translation>Der Ordner „%1“ konnte nicht geöffnet werden.</translation>
    </message>
</context>
<context>
    <name>ZoApplication</name>
    <message>
        <source>Usage: vellumix [--lang NAME] [FILE...]
       vellumix COMMAND [OPTIONS]

Turns photos and music into a video slide show. Photos, audio files and folders given as FILE are imported into the window.

Options:
  --lang NAME   show the program in language NAME (for example de_DE)
  --verbose     also print the program&apos;s debug notices and the toolkit&apos;s messages
  --version     print the version and exit
  --help        print this help and exit
</source>
        <translation>Aufruf: vellumix [--lang NAME] [DATEI...]
       vellumix BEFEHL [OPTIONEN]

Macht aus Fotos und Musik eine Video-Diashow. Als DATEI angegebene Fotos, Audiodateien und Ordner werden ins Fenster importiert.

Optionen:
  --lang NAME   das Programm in der Sprache NAME zeigen (zum Beispiel fr_FR)
  --verbose     auch die Debug-Hinweise des Programms und die Meldungen des Toolkits ausgeben
  --version     die Version ausgeben und beenden
  --help        diese Hilfe ausgeben und beenden
</translation>
    </message>
    <message>
        <source>
Commands:
</source>
        <translation>
Befehle:
</translation>
    </message>
    <message>
        <source>vellumix: unknown option %1 (try --help)</source>
        <translation>vellumix: unbekannte Option %1 (siehe --help)</translation>
    </message>
    <message>
        <source>License GPLv3+: GNU GPL version 3 or later &lt;https://gnu.org/licenses/gpl.html&gt;.
This is free software: you are free to change and redistribute it.
There is NO WARRANTY, to the extent permitted by law.</source>
        <translation>Lizenz GPLv3+: GNU GPL Version 3 oder neuer &lt;https://gnu.org/licenses/gpl.html&gt;.
Dies ist freie Software: Sie dürfen sie ändern und weitergeben.
Es gibt KEINE GARANTIE, soweit gesetzlich zulässig.</translation>
    </message>
</context>
<context>
    <name>ZoMainWindow</name>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Sprache</translation>
    </message>
    <message>
        <source>S&amp;kins</source>
        <translation>&amp;Oberflächen</translation>
    </message>
    <message>
        <source>Check for &amp;Updates Automatically</source>
        <translation>Automatisch nach &amp;Aktualisierungen suchen</translation>
    </message>
    <message>
        <source>&amp;About %1...</source>
        <translation>&amp;Über %1...</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>Über %1</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&lt;h3&gt;%1&lt;/h3&gt;&lt;p&gt;Turns your photos and music into a video slide show.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;%1&lt;/h3&gt;&lt;p&gt;Macht aus Ihren Fotos und Ihrer Musik eine Video-Diashow.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>&lt;p&gt;%1 is free software under the GNU General Public License, version 3 or later, and comes with no warranty.&lt;/p&gt;</source>
        <translation>&lt;p&gt;%1 ist freie Software unter der GNU General Public License, Version 3 oder neuer, und wird ohne jede Garantie geliefert.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>ZoPowerState</name>
    <message>
        <source>The computer did not carry out the post-task action.</source>
        <translation>Der Computer hat die Aktion nach Abschluss nicht ausgeführt.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message numerus="yes">
        <source>Vellumix will exit in %n second(s).</source>
        <translation>
            <numerusform>Vellumix wird in %n Sekunde beendet.</numerusform>
            <numerusform>Vellumix wird in %n Sekunden beendet.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The computer will stand by in %n second(s).</source>
        <translation>
            <numerusform>Der Computer wechselt in %n Sekunde in den Bereitschaftsmodus.</numerusform>
            <numerusform>Der Computer wechselt in %n Sekunden in den Bereitschaftsmodus.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The computer will hibernate in %n second(s).</source>
        <translation>
            <numerusform>Der Computer wechselt in %n Sekunde in den Ruhezustand.</numerusform>
            <numerusform>Der Computer wechselt in %n Sekunden in den Ruhezustand.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The computer will shut down in %n second(s).</source>
        <translation>
            <numerusform>Der Computer wird in %n Sekunde heruntergefahren.</numerusform>
            <numerusform>Der Computer wird in %n Sekunden heruntergefahren.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ZoProfileManager</name>
    <message>
        <source>Video Codec</source>
        <translation>Videocodec</translation>
    </message>
    <message>
        <source>Video Size</source>
        <translation>Videogröße</translation>
    </message>
    <message>
        <source>Video Bitrate</source>
        <translation>Videobitrate</translation>
    </message>
    <message>
        <source>Frame Rate</source>
        <translation>Bildrate</translation>
    </message>
    <message>
        <source>Audio Codec</source>
        <translation>Audiocodec</translation>
    </message>
    <message>
        <source>Audio Bitrate</source>
        <translation>Audiobitrate</translation>
    </message>
    <message>
        <source>Sample Rate</source>
        <translation>Abtastrate</translation>
    </message>
    <message>
        <source>Channels</source>
        <translation>Kanäle</translation>
    </message>
    <message>
        <source>Aspect Ratio</source>
        <translation>Seitenverhältnis</translation>
    </message>
    <message>
        <source>No Audio</source>
        <translation>Kein Audio</translation>
    </message>
    <message>
        <source>Rate Control</source>
        <translation>Ratensteuerung</translation>
    </message>
    <message>
        <source>Video Quality</source>
        <translation>Videoqualität</translation>
    </message>
    <message>
        <source>Key Frame Interval</source>
        <translation>Schlüsselbildabstand</translation>
    </message>
    <message>
        <source>B-Frames</source>
        <translation>B-Frames</translation>
    </message>
    <message>
        <source>Encoder Speed</source>
        <translation>Encodergeschwindigkeit</translation>
    </message>
    <message>
        <source>Pixel Format</source>
        <translation>Pixelformat</translation>
    </message>
    <message>
        <source>Video Tag</source>
        <translation>Video-Tag</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Lautstärke</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Dauer</translation>
    </message>
    <message>
        <source>Start Time</source>
        <translation>Startzeit</translation>
    </message>
    <message>
        <source>Passes</source>
        <translation>Durchgänge</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Author</source>
        <translation>Autor</translation>
    </message>
    <message>
        <source>Copyright</source>
        <translation>Urheberrecht</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>Kommentar</translation>
    </message>
    <message>
        <source>Album</source>
        <translation>Album</translation>
    </message>
    <message>
        <source>Genre</source>
        <translation>Genre</translation>
    </message>
    <message>
        <source>Composer</source>
        <translation>Komponist</translation>
    </message>
    <message>
        <source>Original Artist</source>
        <translation>Originalinterpret</translation>
    </message>
    <message>
        <source>Encoded By</source>
        <translation>Kodiert von</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Jahr</translation>
    </message>
    <message>
        <source>Time Stamp</source>
        <translation>Zeitstempel</translation>
    </message>
    <message>
        <source>Track</source>
        <translation>Titelnummer</translation>
    </message>
</context>
<context>
    <name>ZoProfileModel</name>
    <message>
        <source>Recent Profiles</source>
        <translation>Zuletzt verwendete Profile</translation>
    </message>
</context>
<context>
    <name>ZoProfilePropertyManager</name>
    <message>
        <source>Low Quality</source>
        <translation>Niedrige Qualität</translation>
    </message>
    <message>
        <source>Normal Quality</source>
        <translation>Normale Qualität</translation>
    </message>
    <message>
        <source>High Quality</source>
        <translation>Hohe Qualität</translation>
    </message>
    <message>
        <source>Custom...</source>
        <translation>Benutzerdefiniert...</translation>
    </message>
    <message>
        <source>Video</source>
        <translation>Video</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>Metadata</source>
        <translation>Metadaten</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Sonstiges</translation>
    </message>
    <message>
        <source>Picture Quality</source>
        <translation>Bildqualität</translation>
    </message>
    <message>
        <source>Sound Quality</source>
        <translation>Tonqualität</translation>
    </message>
</context>
<context>
    <name>ZoProfilePropertyWidget</name>
    <message>
        <source>More &gt;&gt;</source>
        <translation>Mehr &gt;&gt;</translation>
    </message>
    <message>
        <source>%1:</source>
        <comment>a property&apos;s label</comment>
        <translation>%1:</translation>
    </message>
</context>
<context>
    <name>ZoProfileTemplates</name>
    <message>
        <source>3GP Video for Mobile Phones</source>
        <translation>3GP-Video für Mobiltelefone</translation>
    </message>
    <message>
        <source>AVI MPEG-4 Video</source>
        <translation>AVI-MPEG-4-Video</translation>
    </message>
    <message>
        <source>DV Video PAL</source>
        <translation>DV-Video PAL</translation>
    </message>
    <message>
        <source>MPEG-2 DVD Video NTSC</source>
        <translation>MPEG-2-DVD-Video NTSC</translation>
    </message>
    <message>
        <source>MPEG-2 DVD Video PAL</source>
        <translation>MPEG-2-DVD-Video PAL</translation>
    </message>
    <message>
        <source>Flash Video</source>
        <translation>Flash-Video</translation>
    </message>
    <message>
        <source>H.264 Video for TV</source>
        <translation>H.264-Video für Fernseher</translation>
    </message>
    <message>
        <source>H.264 HD Video 720p</source>
        <translation>H.264-HD-Video 720p</translation>
    </message>
    <message>
        <source>Matroska Video</source>
        <translation>Matroska-Video</translation>
    </message>
    <message>
        <source>QuickTime Movie</source>
        <translation>QuickTime-Film</translation>
    </message>
    <message>
        <source>MPEG-4 Video</source>
        <translation>MPEG-4-Video</translation>
    </message>
    <message>
        <source>MPEG-4 H.264 Video</source>
        <translation>MPEG-4-H.264-Video</translation>
    </message>
    <message>
        <source>MP4 Silent</source>
        <translation>MP4 ohne Ton</translation>
    </message>
    <message>
        <source>MPEG-4 H.264 Video without Audio</source>
        <translation>MPEG-4-H.264-Video ohne Ton</translation>
    </message>
    <message>
        <source>Ogg Theora Video</source>
        <translation>Ogg-Theora-Video</translation>
    </message>
    <message>
        <source>Mobile Phone</source>
        <translation>Mobiltelefon</translation>
    </message>
    <message>
        <source>MP4 Video for Mobile Phones</source>
        <translation>MP4-Video für Mobiltelefone</translation>
    </message>
    <message>
        <source>PSP Video</source>
        <translation>PSP-Video</translation>
    </message>
    <message>
        <source>Flash Movie</source>
        <translation>Flash-Film</translation>
    </message>
    <message>
        <source>H.264 Ultra HD Video 3840 x 2160</source>
        <translation>H.264-Ultra-HD-Video 3840 x 2160</translation>
    </message>
    <message>
        <source>WebM VP8 Video</source>
        <translation>WebM-VP8-Video</translation>
    </message>
    <message>
        <source>WebM VP9 Video</source>
        <translation>WebM-VP9-Video</translation>
    </message>
    <message>
        <source>Windows Media Video</source>
        <translation>Windows-Media-Video</translation>
    </message>
    <message>
        <source>Share</source>
        <translation>Teilen</translation>
    </message>
    <message>
        <source>More formats</source>
        <translation>Weitere Formate</translation>
    </message>
    <message>
        <source>Legacy</source>
        <translation>Veraltet</translation>
    </message>
    <message>
        <source>Video sites</source>
        <translation>Videoportale</translation>
    </message>
    <message>
        <source>Full HD 16:9 for video sites</source>
        <translation>Full HD 16:9 für Videoportale</translation>
    </message>
    <message>
        <source>Video sites 4K</source>
        <translation>Videoportale 4K</translation>
    </message>
    <message>
        <source>Ultra HD 16:9 for video sites</source>
        <translation>Ultra HD 16:9 für Videoportale</translation>
    </message>
    <message>
        <source>Phones, vertical</source>
        <translation>Smartphones, hochkant</translation>
    </message>
    <message>
        <source>Vertical 9:16 for short-video apps</source>
        <translation>Hochkant 9:16 für Kurzvideo-Apps</translation>
    </message>
    <message>
        <source>Square</source>
        <translation>Quadratisch</translation>
    </message>
    <message>
        <source>Square 1:1 for feeds</source>
        <translation>Quadratisch 1:1 für Feeds</translation>
    </message>
    <message>
        <source>Portrait post</source>
        <translation>Hochformat-Beitrag</translation>
    </message>
    <message>
        <source>Portrait 4:5 for feeds</source>
        <translation>Hochformat 4:5 für Feeds</translation>
    </message>
    <message>
        <source>Animated GIF</source>
        <translation>Animiertes GIF</translation>
    </message>
    <message>
        <source>Looping animated GIF for chats</source>
        <translation>Endlos laufendes GIF für Chats</translation>
    </message>
</context>
<context>
    <name>ZomBitrateCalc</name>
    <message>
        <source>Bit Rate Calculator</source>
        <translation>Bitratenrechner</translation>
    </message>
    <message>
        <source>Set the length of the video and the file size you want, or set the bit rates.</source>
        <translation>Geben Sie die Länge des Videos und die gewünschte Dateigröße an oder legen Sie die Bitraten fest.</translation>
    </message>
    <message>
        <source>Duration:</source>
        <translation>Dauer:</translation>
    </message>
    <message>
        <source>File Size:</source>
        <translation>Dateigröße:</translation>
    </message>
    <message>
        <source>Audio Bit Rate:</source>
        <translation>Audiobitrate:</translation>
    </message>
    <message>
        <source>Video Bit Rate:</source>
        <translation>Videobitrate:</translation>
    </message>
</context>
</TS>
