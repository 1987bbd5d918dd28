<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>AdjustAudioOrder</name>
    <message>
        <source>Edit Audio</source>
        <translation>Modifier l’audio</translation>
    </message>
    <message>
        <source>Select One or More Files</source>
        <translation>Sélectionner un ou plusieurs fichiers</translation>
    </message>
    <message>
        <source>Some files have not been added to the list:</source>
        <translation>Certains fichiers n’ont pas été ajoutés à la liste&#xa0;:</translation>
    </message>
</context>
<context>
    <name>AdjustAudioOrderClass</name>
    <message>
        <source>Edit Audio</source>
        <translation>Modifier l’audio</translation>
    </message>
    <message>
        <source>Add...</source>
        <translation>Ajouter...</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>Monter</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Monter</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>Descendre</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Descendre</translation>
    </message>
    <message>
        <source>File Name</source>
        <translation>Nom du fichier</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Durée</translation>
    </message>
    <message>
        <source>Start Point</source>
        <translation>Début</translation>
    </message>
    <message>
        <source>End Point</source>
        <translation>Fin</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Couper le son</translation>
    </message>
    <message>
        <source>Unmute</source>
        <translation>Rétablir le son</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Lecture</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêt</translation>
    </message>
    <message>
        <source>Play from the in point to the out point</source>
        <translation>Lire l’extrait choisi, du début à la fin</translation>
    </message>
    <message>
        <source>Play Segment</source>
        <translation>Lire l’extrait</translation>
    </message>
    <message>
        <source>Start the clip at the slider&apos;s position</source>
        <translation>Faire commencer le clip à la position du curseur</translation>
    </message>
    <message>
        <source>Set In</source>
        <translation>Début ici</translation>
    </message>
    <message>
        <source>End the clip at the slider&apos;s position</source>
        <translation>Faire finir le clip à la position du curseur</translation>
    </message>
    <message>
        <source>Set Out</source>
        <translation>Fin ici</translation>
    </message>
</context>
<context>
    <name>AudioListWidget</name>
    <message>
        <source>Duration</source>
        <translation>Durée</translation>
    </message>
    <message>
        <source>Channels</source>
        <translation>Canaux</translation>
    </message>
    <message>
        <source>Sample Rate</source>
        <translation>Fréquence d’échantillonnage</translation>
    </message>
    <message>
        <source>Start Point</source>
        <translation>Point de début</translation>
    </message>
    <message>
        <source>End Point</source>
        <translation>Point de fin</translation>
    </message>
    <message>
        <source>Drag Audio File(s) Here</source>
        <translation>Faites glisser les fichiers audio ici</translation>
    </message>
    <message>
        <source>Missing: %1</source>
        <translation>Introuvable&#xa0;: %1</translation>
    </message>
    <message>
        <source>Missing</source>
        <translation>Introuvable</translation>
    </message>
</context>
<context>
    <name>BatchCreate</name>
    <message>
        <source>Try &apos;vellumix create --help&apos;.</source>
        <translation>Essayez «&#xa0;vellumix create --help&#xa0;».</translation>
    </message>
    <message>
        <source>--%1 takes a number of milliseconds from %2 to %3, not &apos;%4&apos;</source>
        <translation>--%1 attend un nombre de millisecondes de %2 à %3, et non «&#xa0;%4&#xa0;»</translation>
    </message>
    <message>
        <source>Print this help and exit.</source>
        <translation>Afficher cette aide et quitter.</translation>
    </message>
    <message>
        <source>How long each photo is held (1000-999000, default 5000).</source>
        <translation>Durée d’affichage de chaque photo (1000-999000, 5000 par défaut).</translation>
    </message>
    <message>
        <source>Length of a transition (500-5000, default 1500).</source>
        <translation>Durée d’une transition (500-5000, 1500 par défaut).</translation>
    </message>
    <message>
        <source>Cut from photo to photo.</source>
        <translation>Passer d’une photo à l’autre sans transition.</translation>
    </message>
    <message>
        <source>Use dissolves only, no wipes.</source>
        <translation>Uniquement des fondus enchaînés, pas de volets.</translation>
    </message>
    <message>
        <source>Show photos still, without moving and zooming.</source>
        <translation>Afficher les photos fixes, sans mouvement ni zoom.</translation>
    </message>
    <message>
        <source>Restart the audio when it ends before the show.</source>
        <translation>Relancer l’audio s’il se termine avant le diaporama.</translation>
    </message>
    <message>
        <source>Fade the sound in over the first second and out over the last three.</source>
        <translation>Faire monter le son pendant la première seconde et le faire baisser pendant les trois dernières.</translation>
    </message>
    <message>
        <source>Choose the photo duration so that the show lasts as long as the audio.</source>
        <translation>Choisir la durée des photos pour que le diaporama dure aussi longtemps que l’audio.</translation>
    </message>
    <message>
        <source>Do not turn photos as their camera orientation asks.</source>
        <translation>Ne pas faire pivoter les photos selon l’orientation de l’appareil.</translation>
    </message>
    <message>
        <source>Output profile (default mpeg4h264); see --list-profiles.</source>
        <translation>Profil de sortie (mpeg4h264 par défaut)&#xa0;; voir --list-profiles.</translation>
    </message>
    <message>
        <source>Override one value of the profile, e.g. s=1280x720; repeatable.</source>
        <translation>Remplacer une valeur du profil, par ex. s=1280x720&#xa0;; répétable.</translation>
    </message>
    <message>
        <source>List the profiles: identifier, group, name and extension.</source>
        <translation>Lister les profils&#xa0;: identifiant, groupe, nom et extension.</translation>
    </message>
    <message>
        <source>Folder of the video (default: the last output folder, else Videos).</source>
        <translation>Dossier de la vidéo (par défaut&#xa0;: le dernier dossier de sortie, sinon Vidéos).</translation>
    </message>
    <message>
        <source>File name without extension (default &quot;My Photo Movie&quot;).</source>
        <translation>Nom de fichier sans extension («&#xa0;My Photo Movie&#xa0;» par défaut).</translation>
    </message>
    <message>
        <source>Print nothing but errors.</source>
        <translation>N’afficher que les erreurs.</translation>
    </message>
    <message>
        <source>Also print the encoders&apos; logs and the toolkit&apos;s messages.</source>
        <translation>Afficher aussi les journaux des encodeurs et les messages de la bibliothèque graphique.</translation>
    </message>
    <message>
        <source>--quiet and --verbose exclude each other</source>
        <translation>--quiet et --verbose s’excluent mutuellement</translation>
    </message>
    <message>
        <source>&apos;%1&apos; cannot be a file name: it must not be empty or hold any of * : &lt; &gt; ? / @ |</source>
        <translation>«&#xa0;%1&#xa0;» ne peut pas être un nom de fichier&#xa0;: il ne doit pas être vide ni contenir l’un des caractères *&#xa0;: &lt; &gt;&#xa0;? / @ |</translation>
    </message>
    <message>
        <source>unknown profile &apos;%1&apos; (see --list-profiles)</source>
        <translation>profil inconnu «&#xa0;%1&#xa0;» (voir --list-profiles)</translation>
    </message>
    <message>
        <source>--set takes KEY=VALUE, not &apos;%1&apos;</source>
        <translation>--set attend KEY=VALUE, et non «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>no photo given</source>
        <translation>aucune photo indiquée</translation>
    </message>
    <message>
        <source>no readable photo among the paths given</source>
        <translation>aucune photo lisible parmi les chemins indiqués</translation>
    </message>
    <message>
        <source>the video could not be created</source>
        <translation>la vidéo n’a pas pu être créée</translation>
    </message>
    <message>
        <source>make a video from photos and audio files without a window (create --help)</source>
        <translation>créer une vidéo à partir de photos et de fichiers audio sans fenêtre (create --help)</translation>
    </message>
    <message>
        <source>Shape of the frame, e.g. 16:9, 9:16 (phones), 1:1 or 4:5, at the profile&apos;s resolution (9:16 with a 1080p profile is 1080x1920).</source>
        <translation>Format de l’image, par ex. 16:9, 9:16 (téléphones), 1:1 ou 4:5, à la résolution du profil (9:16 avec un profil 1080p donne 1080x1920).</translation>
    </message>
    <message>
        <source>How photos of another shape fill the frame: fit (black bars, the default), blur (fitted over a blurred copy of the photo) or fill (cropped to the frame).</source>
        <translation>Comment les photos d’un autre format remplissent l’image&#xa0;: fit (bandes noires, par défaut), blur (ajustées sur une copie floue de la photo) ou fill (recadrées à l’image).</translation>
    </message>
    <message>
        <source>--aspect takes a shape such as 16:9 or 9:16, not &apos;%1&apos;</source>
        <translation>--aspect attend un format comme 16:9 ou 9:16, et non «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>--framing takes fit, blur or fill, not &apos;%1&apos;</source>
        <translation>--framing attend fit, blur ou fill, et non «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>Makes a video slide show from photos and audio files, without a window.
PATH: photo files, audio files and folders, in show order; or one saved show (.vellumix), made with its own settings, profile, folder and name, which the options given override.</source>
        <translation>Crée un diaporama vidéo à partir de photos et de fichiers audio, sans fenêtre.
PATH&#xa0;: fichiers photo, fichiers audio et dossiers, dans l’ordre du diaporama&#xa0;; ou un diaporama enregistré (.vellumix), créé avec ses propres paramètres, profil, dossier et nom, que les options indiquées remplacent.</translation>
    </message>
    <message>
        <source>Photos, audio files and folders, or one show.</source>
        <translation>Photos, fichiers audio et dossiers, ou un diaporama.</translation>
    </message>
    <message>
        <source>Creating video: %1%</source>
        <translation>Création de la vidéo&#xa0;: %1&#xa0;%</translation>
    </message>
    <message>
        <source>Creating [%1] %2%  %3 left </source>
        <translation>Création [%1] %2&#xa0;%  reste %3 </translation>
    </message>
    <message>
        <source>a show (.%1) is made on its own, without further paths</source>
        <translation>un diaporama (.%1) se crée seul, sans autres chemins</translation>
    </message>
    <message>
        <source>left out, missing or no longer readable: %1</source>
        <translation>écarté, absent ou devenu illisible&#xa0;: %1</translation>
    </message>
    <message>
        <source>left out, not a readable photo or audio file: %1</source>
        <translation>écarté, ni photo ni fichier audio lisible&#xa0;: %1</translation>
    </message>
    <message>
        <source>the audio cannot set the photo duration (each photo would be shown for less than 1 s or more than 999 s); keeping %1 ms</source>
        <translation>l’audio ne peut pas fixer la durée des photos (chaque photo serait affichée moins de 1&#xa0;s ou plus de 999&#xa0;s)&#xa0;; durée conservée&#xa0;: %1&#xa0;ms</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>annulé</translation>
    </message>
    <message>
        <source>unknown preset &apos;%1&apos; (see --list-presets)</source>
        <translation>préréglage inconnu «&#xa0;%1&#xa0;» (voir --list-presets)</translation>
    </message>
    <message>
        <source>--preset takes a name (see --list-presets)</source>
        <translation>--preset attend un nom (voir --list-presets)</translation>
    </message>
    <message>
        <source>--preset and --%1 exclude each other</source>
        <translation>--preset et --%1 s’excluent</translation>
    </message>
    <message>
        <source>Make the video for where it is shared, each preset a version of its own: video, video-4k, vertical, square, portrait, gif; repeatable or comma-separated. Each version is checked once written (frame size, frame rate, codecs, colour tags, index first, duration, looping); the exit status is 1 when a version could not be made or fails a check, and the path of every file made is printed all the same.</source>
        <translation>Créer la vidéo pour l’endroit où elle est partagée, chaque préréglage en une version à part&#xa0;: video, video-4k, vertical, square, portrait, gif&#xa0;; répétable ou séparé par des virgules. Chaque version est vérifiée une fois écrite (taille d’image, fréquence d’images, codecs, balises de couleur, index en tête, durée, boucle)&#xa0;; le code de sortie est 1 si une version n’a pas pu être créée ou échoue à une vérification, et le chemin de chaque fichier créé est affiché malgré tout.</translation>
    </message>
    <message>
        <source>List the presets: name and description.</source>
        <translation>Lister les préréglages&#xa0;: nom et description.</translation>
    </message>
    <message>
        <source>the show lasts more than 60 s; its GIF will be large</source>
        <translation>le diaporama dure plus de 60 s&#xa0;; son GIF sera volumineux</translation>
    </message>
    <message>
        <source>Version %1 of %2: %3</source>
        <translation>Version %1 sur %2&#xa0;: %3</translation>
    </message>
    <message>
        <source>check failed: %1</source>
        <translation>vérification échouée&#xa0;: %1</translation>
    </message>
    <message>
        <source>Motion of the photos that have none of their own: auto (drift and zoom, the default) or none (still).</source>
        <translation>Mouvement des photos qui n’en ont pas en propre&#xa0;: auto (glissement et zoom, par défaut) ou none (fixe).</translation>
    </message>
    <message>
        <source>--motion takes auto or none, not &apos;%1&apos;</source>
        <translation>--motion prend auto ou none, pas «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>Give photos without a caption one: metadata (the description the photo carries, if any), filename (its file name without extension) or none (the default).</source>
        <translation>Donner une légende aux photos qui n&apos;en ont pas&#xa0;: metadata (la description que porte la photo, s&apos;il y en a une), filename (son nom de fichier sans extension) ou none (par défaut).</translation>
    </message>
    <message>
        <source>Start the show with a title card of TEXT on a gradient.</source>
        <translation>Commencer le diaporama par un carton de titre avec TEXT sur un dégradé.</translation>
    </message>
    <message>
        <source>Also write the captions as a SubRip file (.srt) beside the video; the video carries them as a subtitle track in any case where its format has one.</source>
        <translation>Écrire aussi les légendes dans un fichier SubRip (.srt) à côté de la vidéo&#xa0;; la vidéo les porte de toute façon comme piste de sous-titres lorsque son format en a une.</translation>
    </message>
    <message>
        <source>--captions takes metadata, filename or none, not &apos;%1&apos;</source>
        <translation>--captions prend metadata, filename ou none, pas «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>the title card cannot be written to %1</source>
        <translation>le carton de titre ne peut pas être écrit dans %1</translation>
    </message>
    <message>
        <source>Overlap each audio clip with the next by this many seconds (0-10, default 0).</source>
        <translation>Enchaîner chaque clip audio avec le suivant sur ce nombre de secondes (0-10, 0 par défaut).</translation>
    </message>
    <message>
        <source>Even the loudness of the audio clips to -14, -16 or -23 LUFS, or leave it (off); default -14, or the show&apos;s.</source>
        <translation>Égaliser la sonie des clips audio à -14, -16 ou -23 LUFS, ou la laisser (off)&#xa0;; -14 par défaut, ou celle du diaporama.</translation>
    </message>
    <message>
        <source>Sound written: %1 LUFS, true peak %2 dBTP</source>
        <translation>Son écrit&#xa0;: %1 LUFS, crête vraie %2 dBTP</translation>
    </message>
    <message>
        <source>--crossfade takes seconds from 0 to 10, not &apos;%1&apos;</source>
        <translation>--crossfade prend des secondes de 0 à 10, pas «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>--loudness takes off, -14, -16 or -23, not &apos;%1&apos;</source>
        <translation>--loudness prend off, -14, -16 ou -23, pas «&#xa0;%1&#xa0;»</translation>
    </message>
    <message>
        <source>Move each photo change to the nearest beat of the music playing.</source>
        <translation>Placer chaque changement de photo sur le temps le plus proche de la musique jouée.</translation>
    </message>
</context>
<context>
    <name>CaptionSection</name>
    <message>
        <source>Caption:</source>
        <translation>Légende&#xa0;:</translation>
    </message>
    <message>
        <source>Text shown over the photo</source>
        <translation>Texte affiché sur la photo</translation>
    </message>
    <message>
        <source>Kept when the field is left; Ctrl+Return keeps it at once</source>
        <translation>Pris en compte en quittant le champ, ou tout de suite avec Ctrl+Entrée</translation>
    </message>
    <message>
        <source>Place:</source>
        <translation>Position&#xa0;:</translation>
    </message>
    <message>
        <source>Style:</source>
        <translation>Style&#xa0;:</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Taille&#xa0;:</translation>
    </message>
    <message>
        <source>Height of the text in percent of the frame&apos;s height</source>
        <translation>Hauteur du texte en pourcentage de la hauteur de l&apos;image</translation>
    </message>
    <message>
        <source>Colour...</source>
        <translation>Couleur...</translation>
    </message>
    <message>
        <source>Outline</source>
        <translation>Contour</translation>
    </message>
    <message>
        <source>Shadow</source>
        <translation>Ombre</translation>
    </message>
    <message>
        <source>Box</source>
        <translation>Cadre</translation>
    </message>
    <message>
        <source>Top left</source>
        <translation>En haut à gauche</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>En haut</translation>
    </message>
    <message>
        <source>Top right</source>
        <translation>En haut à droite</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>À gauche</translation>
    </message>
    <message>
        <source>Centre</source>
        <translation>Au centre</translation>
    </message>
    <message>
        <source>Right</source>
        <translation>À droite</translation>
    </message>
    <message>
        <source>Bottom left</source>
        <translation>En bas à gauche</translation>
    </message>
    <message>
        <source>Bottom</source>
        <translation>En bas</translation>
    </message>
    <message>
        <source>Bottom right</source>
        <translation>En bas à droite</translation>
    </message>
    <message>
        <source>As the show</source>
        <translation>Comme le diaporama</translation>
    </message>
    <message>
        <source>Plain with shadow</source>
        <translation>Simple avec ombre</translation>
    </message>
    <message>
        <source>White on dark band</source>
        <translation>Blanc sur bande sombre</translation>
    </message>
    <message>
        <source>Bold outline</source>
        <translation>Contour gras</translation>
    </message>
    <message>
        <source>Handwritten</source>
        <translation>Manuscrit</translation>
    </message>
    <message>
        <source>Caption</source>
        <translation>Légende</translation>
    </message>
    <message>
        <source>Caption Place</source>
        <translation>Position de la légende</translation>
    </message>
    <message>
        <source>Caption Style</source>
        <translation>Style de la légende</translation>
    </message>
    <message>
        <source>Caption Colour</source>
        <translation>Couleur de la légende</translation>
    </message>
    <message>
        <source>Font...</source>
        <translation>Police...</translation>
    </message>
    <message>
        <source>Caption Font</source>
        <translation>Police de la légende</translation>
    </message>
    <message>
        <source>Title...</source>
        <translation>Titre...</translation>
    </message>
    <message>
        <source>The title card&apos;s text and background</source>
        <translation>Texte et arrière-plan du carton de titre</translation>
    </message>
    <message>
        <source>The Show&apos;s Style...</source>
        <translation>Style du diaporama...</translation>
    </message>
    <message>
        <source>The caption style of the whole show</source>
        <translation>Le style de légende de tout le diaporama</translation>
    </message>
</context>
<context>
    <name>CaptionStyleDialog</name>
    <message>
        <source>Caption Style for the Show</source>
        <translation>Style des légendes du diaporama</translation>
    </message>
    <message>
        <source>Plain with shadow</source>
        <translation>Simple avec ombre</translation>
    </message>
    <message>
        <source>White on dark band</source>
        <translation>Blanc sur bande sombre</translation>
    </message>
    <message>
        <source>Bold outline</source>
        <translation>Contour gras</translation>
    </message>
    <message>
        <source>Handwritten</source>
        <translation>Manuscrit</translation>
    </message>
    <message>
        <source>Start from:</source>
        <translation>Partir de&#xa0;:</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Gras</translation>
    </message>
    <message>
        <source>Font:</source>
        <translation>Police&#xa0;:</translation>
    </message>
    <message>
        <source>Height of the text in percent of the frame&apos;s height</source>
        <translation>Hauteur du texte en pourcentage de la hauteur de l&apos;image</translation>
    </message>
    <message>
        <source>Text colour...</source>
        <translation>Couleur du texte...</translation>
    </message>
    <message>
        <source>Caption Colour</source>
        <translation>Couleur de la légende</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Taille&#xa0;:</translation>
    </message>
    <message>
        <source>Outline</source>
        <translation>Contour</translation>
    </message>
    <message>
        <source>Outline colour...</source>
        <translation>Couleur du contour...</translation>
    </message>
    <message>
        <source>Outline Colour</source>
        <translation>Couleur du contour</translation>
    </message>
    <message>
        <source>Soft shadow</source>
        <translation>Ombre douce</translation>
    </message>
    <message>
        <source>Box behind the text</source>
        <translation>Cadre derrière le texte</translation>
    </message>
    <message>
        <source>Box colour...</source>
        <translation>Couleur du cadre...</translation>
    </message>
    <message>
        <source>Box Colour</source>
        <translation>Couleur du cadre</translation>
    </message>
</context>
<context>
    <name>CompileProgress</name>
    <message>
        <source>Create Video File</source>
        <translation>Créer le fichier vidéo</translation>
    </message>
    <message>
        <source>Created Successfully!</source>
        <translation>Création réussie&#xa0;!</translation>
    </message>
    <message>
        <source>Failed to create video.</source>
        <translation>Échec de la création de la vidéo.</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Reprendre</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Suspendre</translation>
    </message>
    <message>
        <source>Failed to open folder &quot;%1&quot;.</source>
        <translation>Impossible d’ouvrir le dossier «&#xa0;%1&#xa0;».</translation>
    </message>
    <message>
        <source>No program could be started to play &quot;%1&quot;.</source>
        <translation>Aucun programme n’a pu être lancé pour lire «&#xa0;%1&#xa0;».</translation>
    </message>
</context>
<context>
    <name>CompileProgressClass</name>
    <message>
        <source>Create Video File</source>
        <translation>Créer le fichier vidéo</translation>
    </message>
    <message>
        <source>Creating video...</source>
        <translation>Création de la vidéo...</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Suspendre</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêter</translation>
    </message>
    <message>
        <source>Open Output Folder</source>
        <translation>Ouvrir le dossier de sortie</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>%p%</source>
        <comment>percentage shown on the bar</comment>
        <translation>%p&#xa0;%</translation>
    </message>
    <message>
        <source>Play Video</source>
        <translation>Lire la vidéo</translation>
    </message>
</context>
<context>
    <name>CreationJob</name>
    <message>
        <source>A video is already being created.</source>
        <translation>Une vidéo est déjà en cours de création.</translation>
    </message>
    <message>
        <source>The slide show is empty: add photos before creating a video.</source>
        <translation>Le diaporama est vide&#xa0;: ajoutez des photos avant de créer une vidéo.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be used as a file name.</source>
        <translation>«&#xa0;%1&#xa0;» ne peut pas servir de nom de fichier.</translation>
    </message>
    <message>
        <source>The output folder %1 cannot be created.</source>
        <translation>Le dossier de sortie %1 ne peut pas être créé.</translation>
    </message>
    <message>
        <source>The output folder %1 cannot be written to.</source>
        <translation>Impossible d’écrire dans le dossier de sortie %1.</translation>
    </message>
    <message>
        <source>No temporary folder can be created in %1.</source>
        <translation>Impossible de créer un dossier temporaire dans %1.</translation>
    </message>
    <message>
        <source>the system</source>
        <translation>le système</translation>
    </message>
    <message>
        <source>The output file cannot be created in %1.</source>
        <translation>Le fichier de sortie ne peut pas être créé dans %1.</translation>
    </message>
    <message>
        <source>The video encoder cannot be started.</source>
        <translation>L’encodeur vidéo ne peut pas être démarré.</translation>
    </message>
    <message>
        <source>The audio encoder cannot be started.</source>
        <translation>L’encodeur audio ne peut pas être démarré.</translation>
    </message>
    <message>
        <source>No OpenGL context for drawing %1 x %2 frames.</source>
        <translation>Aucun contexte OpenGL pour dessiner des images de %1 x %2.</translation>
    </message>
    <message>
        <source>video</source>
        <translation>vidéo</translation>
    </message>
    <message>
        <source>audio</source>
        <translation>audio</translation>
    </message>
    <message>
        <source>The %1 encoder stopped before the end of the show.</source>
        <translation>L’encodeur %1 s’est arrêté avant la fin du diaporama.</translation>
    </message>
    <message>
        <source>The %1 encoder failed.</source>
        <translation>L’encodeur %1 a échoué.</translation>
    </message>
    <message>
        <source>The encoder wrote no video.</source>
        <translation>L’encodeur n’a écrit aucune vidéo.</translation>
    </message>
    <message>
        <source>The encoder cannot be started.</source>
        <translation>L’encodeur ne peut pas être démarré.</translation>
    </message>
    <message>
        <source>The encoder could not write the output file.</source>
        <translation>L’encodeur n’a pas pu écrire le fichier de sortie.</translation>
    </message>
    <message>
        <source>Failed to create video.</source>
        <translation>Échec de la création de la vidéo.</translation>
    </message>
    <message>
        <source>Stopped.</source>
        <translation>Arrêté.</translation>
    </message>
    <message>
        <source>The profile&apos;s file extension &quot;%1&quot; cannot be used.</source>
        <translation>L’extension de fichier «&#xa0;%1&#xa0;» du profil ne peut pas être utilisée.</translation>
    </message>
    <message>
        <source>The output folder %1 was removed while the video was being created.</source>
        <translation>Le dossier de sortie %1 a été supprimé pendant la création de la vidéo.</translation>
    </message>
    <message>
        <source>The disk is full: there is no room left in %1.</source>
        <translation>Le disque est plein&#xa0;: il n’y a plus de place dans %1.</translation>
    </message>
    <message>
        <source>The disk is full or takes no file this large: there is no room left for the video in %1.</source>
        <translation>Le disque est plein ou n’accepte pas un fichier aussi volumineux&#xa0;: il n’y a plus de place pour la vidéo dans %1.</translation>
    </message>
    <message>
        <source>The encoder could not make the GIF&apos;s palette.</source>
        <translation>L’encodeur n’a pas pu créer la palette du GIF.</translation>
    </message>
</context>
<context>
    <name>GettingStarted</name>
    <message>
        <source>Let&apos;s make a slide show</source>
        <translation>Votre diaporama en trois étapes</translation>
    </message>
    <message>
        <source>Import your photos</source>
        <translation>Importez vos photos</translation>
    </message>
    <message>
        <source>Add some music</source>
        <translation>Ajoutez de la musique</translation>
    </message>
    <message>
        <source>Create your video file</source>
        <translation>Créez votre fichier vidéo</translation>
    </message>
    <message>
        <source>Use the buttons below to begin</source>
        <translation>Commencez avec les boutons ci-dessous</translation>
    </message>
</context>
<context>
    <name>ImportProgress</name>
    <message>
        <source>Import Progress</source>
        <translation>Progression de l’importation</translation>
    </message>
    <message>
        <source>Importing %1...</source>
        <translation>Importation de %1...</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <comment>a file that was not added, and why</comment>
        <translation>%1&#xa0;: %2</translation>
    </message>
    <message>
        <source>Some files have not been added to the list:</source>
        <translation>Certains fichiers n’ont pas été ajoutés à la liste&#xa0;:</translation>
    </message>
    <message>
        <source>not found</source>
        <translation>introuvable</translation>
    </message>
    <message>
        <source>a folder with nothing to import</source>
        <translation>un dossier sans rien à importer</translation>
    </message>
    <message>
        <source>no permission to read it</source>
        <translation>pas le droit de le lire</translation>
    </message>
    <message>
        <source>empty</source>
        <translation>vide</translation>
    </message>
    <message>
        <source>not a photo file that can be read</source>
        <translation>pas un fichier photo lisible</translation>
    </message>
    <message>
        <source>not an audio file that can be read</source>
        <translation>pas un fichier audio lisible</translation>
    </message>
    <message>
        <source>damaged, or not a photo that can be read</source>
        <translation>endommagé, ou pas une photo lisible</translation>
    </message>
    <message>
        <source>damaged, or not audio that can be read</source>
        <translation>endommagé, ou pas un son lisible</translation>
    </message>
</context>
<context>
    <name>ImportProgressClass</name>
    <message>
        <source>Import Progress</source>
        <translation>Progression de l’importation</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
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
        <translation>Nom du fichier&#xa0;:</translation>
    </message>
    <message>
        <source>Format:</source>
        <translation>Format&#xa0;:</translation>
    </message>
    <message>
        <source>Resolution:</source>
        <translation>Résolution&#xa0;:</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Taille&#xa0;:</translation>
    </message>
    <message>
        <source>Modified:</source>
        <translation>Modifié&#xa0;:</translation>
    </message>
    <message>
        <source>Equipment Make:</source>
        <translation>Fabricant de l’appareil&#xa0;:</translation>
    </message>
    <message>
        <source>Camera Model:</source>
        <translation>Modèle de l’appareil&#xa0;:</translation>
    </message>
    <message>
        <source>Software:</source>
        <translation>Logiciel&#xa0;:</translation>
    </message>
    <message>
        <source>Compressed Bit-Per-Pixel:</source>
        <translation>Bits par pixel compressés&#xa0;:</translation>
    </message>
    <message>
        <source>Exposure Time:</source>
        <translation>Temps d’exposition&#xa0;:</translation>
    </message>
    <message>
        <source>F-Number:</source>
        <translation>Ouverture (f)&#xa0;:</translation>
    </message>
    <message>
        <source>Exposure Mode:</source>
        <translation>Mode d’exposition&#xa0;:</translation>
    </message>
    <message>
        <source>Exposure Bias:</source>
        <translation>Correction d’exposition&#xa0;:</translation>
    </message>
    <message>
        <source>Max Aperture:</source>
        <translation>Ouverture maximale&#xa0;:</translation>
    </message>
    <message>
        <source>Channels:</source>
        <translation>Canaux&#xa0;:</translation>
    </message>
    <message>
        <source>Sample Rate:</source>
        <translation>Fréquence d’échantillonnage&#xa0;:</translation>
    </message>
    <message>
        <source>Duration:</source>
        <translation>Durée&#xa0;:</translation>
    </message>
    <message>
        <source>%1 KB</source>
        <translation>%1&#xa0;Ko</translation>
    </message>
    <message>
        <source>%1 Hz</source>
        <translation>%1&#xa0;Hz</translation>
    </message>
    <message>
        <source>%1 - Properties</source>
        <translation>%1 - Propriétés</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>Propriétés</translation>
    </message>
</context>
<context>
    <name>MotionRectEditor</name>
    <message>
        <source>Start</source>
        <translation>Début</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Fin</translation>
    </message>
</context>
<context>
    <name>OutputSetting</name>
    <message>
        <source>Output Settings</source>
        <translation>Paramètres de sortie</translation>
    </message>
    <message>
        <source>More &lt;&lt;</source>
        <translation>Moins &lt;&lt;</translation>
    </message>
    <message>
        <source>More &gt;&gt;</source>
        <translation>Plus &gt;&gt;</translation>
    </message>
    <message>
        <source>The output folder is unavailable. Please choose another one.</source>
        <translation>Le dossier de sortie n’est pas disponible. Veuillez en choisir un autre.</translation>
    </message>
    <message>
        <source>The output folder is read-only, please select other folder.</source>
        <translation>Le dossier de sortie est en lecture seule. Veuillez choisir un autre dossier.</translation>
    </message>
    <message>
        <source>Output file name is not usable, please change to another file name.</source>
        <translation>Le nom du fichier de sortie n’est pas utilisable. Veuillez choisir un autre nom.</translation>
    </message>
    <message>
        <source>As in the profile</source>
        <translation>Comme dans le profil</translation>
    </message>
    <message>
        <source>16:9 (wide screen)</source>
        <translation>16:9 (écran large)</translation>
    </message>
    <message>
        <source>9:16 (phones)</source>
        <translation>9:16 (téléphones)</translation>
    </message>
    <message>
        <source>1:1 (square)</source>
        <translation>1:1 (carré)</translation>
    </message>
    <message>
        <source>4:5 (portrait)</source>
        <translation>4:5 (portrait)</translation>
    </message>
    <message>
        <source>My Photo Movie</source>
        <translation>Mon film photo</translation>
    </message>
</context>
<context>
    <name>OutputSettingClass</name>
    <message>
        <source>Output Settings</source>
        <translation>Paramètres de sortie</translation>
    </message>
    <message>
        <source>Profile:</source>
        <translation>Profil&#xa0;:</translation>
    </message>
    <message>
        <source>File Name:</source>
        <translation>Nom du fichier&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Destination:</source>
        <translation>&amp;Destination&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>&amp;Parcourir...</translation>
    </message>
    <message>
        <source>&amp;Shape:</source>
        <translation>&amp;Format&#xa0;:</translation>
    </message>
    <message>
        <source>The shape of the video&apos;s frames, at the resolution of the profile</source>
        <translation>Le format des images de la vidéo, à la résolution du profil</translation>
    </message>
    <message>
        <source>Also make these versions</source>
        <translation>Créer aussi ces versions</translation>
    </message>
    <message>
        <source>Each ticked preset is made as a version of its own, one after another, and checked once written</source>
        <translation>Chaque préréglage coché est créé en une version à part, l’une après l’autre, et vérifié une fois écrit</translation>
    </message>
</context>
<context>
    <name>PhotoListWidget</name>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Dimension</source>
        <translation>Dimensions</translation>
    </message>
    <message>
        <source>Depth</source>
        <translation>Profondeur</translation>
    </message>
    <message>
        <source>Bits</source>
        <translation>bits</translation>
    </message>
    <message>
        <source>Drag Photo(s) Here</source>
        <translation>Faites glisser les photos ici</translation>
    </message>
    <message>
        <source>Missing</source>
        <translation>Introuvable</translation>
    </message>
</context>
<context>
    <name>PhotoSettingsPanel</name>
    <message>
        <source>Swap Motion</source>
        <translation>Échanger le mouvement</translation>
    </message>
    <message>
        <source>Selected Photos</source>
        <translation>Photos sélectionnées</translation>
    </message>
    <message>
        <source>Duration:</source>
        <translation>Durée&#xa0;:</translation>
    </message>
    <message>
        <source>Transition:</source>
        <translation>Transition&#xa0;:</translation>
    </message>
    <message>
        <source>Motion:</source>
        <translation>Mouvement&#xa0;:</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Modifier</translation>
    </message>
    <message>
        <source>Drag the start and end frames on the paused preview</source>
        <translation>Faites glisser les cadres de début et de fin sur l’aperçu en pause</translation>
    </message>
    <message>
        <source>Swap</source>
        <translation>Échanger</translation>
    </message>
    <message>
        <source>Exchange the start and end frames</source>
        <translation>Échanger les cadres de début et de fin</translation>
    </message>
    <message>
        <source>As Album</source>
        <translation>Comme l’album</translation>
    </message>
    <message>
        <source>Give the selected photos the album&apos;s settings again</source>
        <translation>Redonner aux photos sélectionnées les réglages de l’album</translation>
    </message>
    <message>
        <source>As the album</source>
        <translation>Comme l’album</translation>
    </message>
    <message>
        <source>Dissolve</source>
        <translation>Fondu</translation>
    </message>
    <message>
        <source>Wipe</source>
        <translation>Volet</translation>
    </message>
    <message>
        <source>Random wipe</source>
        <translation>Volet au hasard</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Coupe</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Automatique</translation>
    </message>
    <message>
        <source>None (still)</source>
        <translation>Aucun (fixe)</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Zoom avant</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Zoom arrière</translation>
    </message>
    <message>
        <source>Pan left</source>
        <translation>Panoramique à gauche</translation>
    </message>
    <message>
        <source>Pan right</source>
        <translation>Panoramique à droite</translation>
    </message>
    <message>
        <source>Pan up</source>
        <translation>Panoramique vers le haut</translation>
    </message>
    <message>
        <source>Pan down</source>
        <translation>Panoramique vers le bas</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Personnalisé</translation>
    </message>
    <message>
        <source>Linear</source>
        <translation>Linéaire</translation>
    </message>
    <message>
        <source>Ease in and out</source>
        <translation>Douce au début et à la fin</translation>
    </message>
    <message>
        <source>Photo Duration</source>
        <translation>Durée des photos</translation>
    </message>
    <message>
        <source>Transition</source>
        <translation>Transition</translation>
    </message>
    <message>
        <source>Transition Length</source>
        <translation>Durée de la transition</translation>
    </message>
    <message>
        <source>Motion</source>
        <translation>Mouvement</translation>
    </message>
    <message>
        <source>Own</source>
        <translation>Propre</translation>
    </message>
    <message>
        <source>This photo&apos;s own duration instead of the album&apos;s</source>
        <translation>Durée propre de cette photo au lieu de celle de l’album</translation>
    </message>
    <message>
        <source>Length:</source>
        <translation>Durée&#xa0;:</translation>
    </message>
    <message>
        <source>This transition&apos;s own length instead of the album&apos;s</source>
        <translation>Durée propre de cette transition au lieu de celle de l’album</translation>
    </message>
</context>
<context>
    <name>Preferences</name>
    <message>
        <source>Preferences</source>
        <translation>Préférences</translation>
    </message>
    <message>
        <source>Failed to open folder &quot;%1&quot;.</source>
        <translation>Impossible d’ouvrir le dossier «&#xa0;%1&#xa0;».</translation>
    </message>
    <message>
        <source>The output folder is unavailable. Please choose another one.</source>
        <translation>Le dossier de sortie n’est pas disponible. Veuillez en choisir un autre.</translation>
    </message>
    <message>
        <source>The output folder is read-only, please select other folder.</source>
        <translation>Le dossier de sortie est en lecture seule. Veuillez choisir un autre dossier.</translation>
    </message>
</context>
<context>
    <name>PreferencesClass</name>
    <message>
        <source>Preferences</source>
        <translation>Préférences</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Général</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Sortie</translation>
    </message>
    <message>
        <source>Output Folder:</source>
        <translation>Dossier de sortie&#xa0;:</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Parcourir...</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Update Settings</source>
        <translation>Mises à jour</translation>
    </message>
    <message>
        <source>Check for Updates Automatically:</source>
        <translation>Rechercher automatiquement les mises à jour&#xa0;:</translation>
    </message>
    <message>
        <source>Every Day</source>
        <translation>Chaque jour</translation>
    </message>
    <message>
        <source>Every Week</source>
        <translation>Chaque semaine</translation>
    </message>
    <message>
        <source>Every Month</source>
        <translation>Chaque mois</translation>
    </message>
    <message>
        <source>Power Manager</source>
        <translation>Gestion de l’alimentation</translation>
    </message>
    <message>
        <source>Reset to Default</source>
        <translation>Rétablir les valeurs par défaut</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>Conversion</translation>
    </message>
    <message>
        <source>CPU</source>
        <translation>Processeur</translation>
    </message>
    <message>
        <source>Setting the CPU core number for conversion will affect the conversion 
speed and the amount of system resource required.</source>
        <translation>Le nombre de cœurs détermine la vitesse de conversion
et les ressources système nécessaires.</translation>
    </message>
    <message>
        <source>(Auto-apply settings for the next conversion)</source>
        <translation>(S’applique automatiquement à la prochaine conversion)</translation>
    </message>
    <message>
        <source>Convert using all cores (Offers the highest conversion speed)</source>
        <translation>Utiliser tous les cœurs (vitesse maximale)</translation>
    </message>
    <message>
        <source>Convert using the least core number (The least resources)</source>
        <translation>Utiliser le moins de cœurs possible (ressources minimales)</translation>
    </message>
    <message>
        <source>Customize core number:</source>
        <translation>Nombre de cœurs personnalisé&#xa0;:</translation>
    </message>
    <message>
        <source>Post Task Action</source>
        <translation>Action après la tâche</translation>
    </message>
    <message>
        <source>Selected Post Task Action:</source>
        <translation>Action après la tâche&#xa0;:</translation>
    </message>
    <message>
        <source>Do Nothing</source>
        <translation>Ne rien faire</translation>
    </message>
    <message>
        <source>Exit Program</source>
        <translation>Quitter le programme</translation>
    </message>
    <message>
        <source>Shut Down</source>
        <translation>Éteindre</translation>
    </message>
    <message>
        <source>Hibernate</source>
        <translation>Mettre en veille prolongée</translation>
    </message>
    <message>
        <source>Stand By</source>
        <translation>Mettre en veille</translation>
    </message>
</context>
<context>
    <name>Reader</name>
    <message>
        <source>&quot;%1&quot; must be an object</source>
        <translation>«&#xa0;%1&#xa0;» doit être un objet</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be a list</source>
        <translation>«&#xa0;%1&#xa0;» doit être une liste</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be true or false</source>
        <translation>«&#xa0;%1&#xa0;» doit valoir true ou false</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be a whole number</source>
        <translation>«&#xa0;%1&#xa0;» doit être un nombre entier</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is %2, outside %3 to %4</source>
        <translation>«&#xa0;%1&#xa0;» vaut %2, hors de l’intervalle %3 à %4</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be a number</source>
        <translation>«&#xa0;%1&#xa0;» doit être un nombre</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be a text</source>
        <translation>«&#xa0;%1&#xa0;» doit être un texte</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds a zero character</source>
        <translation>«&#xa0;%1&#xa0;» contient un caractère nul</translation>
    </message>
    <message>
        <source>the &quot;path&quot; is missing</source>
        <translation>«&#xa0;path&#xa0;» est absent</translation>
    </message>
    <message>
        <source>the &quot;path&quot; is empty</source>
        <translation>«&#xa0;path&#xa0;» est vide</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be a list of 4 numbers</source>
        <translation>«&#xa0;%1&#xa0;» doit être une liste de 4 nombres</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be a list of 4 numbers within -%2 to %2</source>
        <translation>«&#xa0;%1&#xa0;» doit être une liste de 4 nombres compris entre -%2 et %2</translation>
    </message>
    <message>
        <source>photo %1</source>
        <translation>photo %1</translation>
    </message>
    <message>
        <source>must be an object</source>
        <translation>doit être un objet</translation>
    </message>
    <message>
        <source>more than %1 orientation steps</source>
        <translation>plus de %1 étapes d’orientation</translation>
    </message>
    <message>
        <source>audio clip %1</source>
        <translation>clip audio %1</translation>
    </message>
    <message>
        <source>the clip ends (%1 s) before it starts (%2 s)</source>
        <translation>le clip se termine (%1 s) avant de commencer (%2 s)</translation>
    </message>
    <message>
        <source>the clip ends (%1 s) after the file (%2 s)</source>
        <translation>le clip se termine (%1 s) après la fin du fichier (%2 s)</translation>
    </message>
    <message>
        <source>the profile value &quot;%1&quot; must be a text, a number or true or false</source>
        <translation>la valeur de profil «&#xa0;%1&#xa0;» doit être un texte, un nombre, true ou false</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be a list of 4 numbers within -%2 to %2: left, top and a width and height above 0</source>
        <translation>«&#xa0;%1&#xa0;» doit être une liste de 4 nombres entre -%2 et %2&#xa0;: gauche, haut, puis une largeur et une hauteur supérieures à 0</translation>
    </message>
    <message>
        <source>the &quot;pattern&quot; must be a file name</source>
        <translation>le «&#xa0;pattern&#xa0;» doit être un nom de fichier</translation>
    </message>
</context>
<context>
    <name>ShowSession</name>
    <message>
        <source>Untitled</source>
        <translation>Sans titre</translation>
    </message>
    <message>
        <source>Save Show As</source>
        <translation>Enregistrer le diaporama sous</translation>
    </message>
    <message>
        <source>The show &quot;%1&quot; has changes that are not saved.</source>
        <translation>Le diaporama «&#xa0;%1&#xa0;» contient des modifications non enregistrées.</translation>
    </message>
    <message>
        <source>Do you want to save them?</source>
        <translation>Voulez-vous les enregistrer&#xa0;?</translation>
    </message>
    <message>
        <source>Open Show</source>
        <translation>Ouvrir un diaporama</translation>
    </message>
</context>
<context>
    <name>TitleCardDialog</name>
    <message>
        <source>Text:</source>
        <translation>Texte&#xa0;:</translation>
    </message>
    <message>
        <source>Gradient</source>
        <translation>Dégradé</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>Couleur</translation>
    </message>
    <message>
        <source>Blurred copy of a photo</source>
        <translation>Copie floue d’une photo</translation>
    </message>
    <message>
        <source>Background:</source>
        <translation>Arrière-plan&#xa0;:</translation>
    </message>
    <message>
        <source>Colour...</source>
        <translation>Couleur...</translation>
    </message>
    <message>
        <source>Title Card Colour</source>
        <translation>Couleur du carton de titre</translation>
    </message>
    <message>
        <source>Second colour...</source>
        <translation>Seconde couleur...</translation>
    </message>
    <message>
        <source>Colours:</source>
        <translation>Couleurs&#xa0;:</translation>
    </message>
    <message>
        <source>Photo:</source>
        <translation>Photo&#xa0;:</translation>
    </message>
</context>
<context>
    <name>Vellumix</name>
    <message>
        <source>Auto Rotate</source>
        <translation>Rotation automatique</translation>
    </message>
    <message>
        <source>Auto Rotate All Photos</source>
        <translation>Rotation automatique de toutes les photos</translation>
    </message>
    <message>
        <source>Photo Duration</source>
        <translation>Durée des photos</translation>
    </message>
    <message>
        <source>Transition Duration</source>
        <translation>Durée des transitions</translation>
    </message>
    <message>
        <source>Use Transition</source>
        <translation>Utiliser les transitions</translation>
    </message>
    <message>
        <source>Use Zoom Effect</source>
        <translation>Utiliser l’effet de zoom</translation>
    </message>
    <message>
        <source>Transition</source>
        <translation>Transition</translation>
    </message>
    <message>
        <source>Audio Settings</source>
        <translation>Paramètres audio</translation>
    </message>
    <message>
        <source>Sync with Audio</source>
        <translation>Synchroniser avec l’audio</translation>
    </message>
    <message>
        <source>Edit Photos</source>
        <translation>Modifier les photos</translation>
    </message>
    <message>
        <source>Edit Audio</source>
        <translation>Modifier l’audio</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Vider</translation>
    </message>
    <message>
        <source>Move Left</source>
        <translation>Vers la gauche</translation>
    </message>
    <message>
        <source>Move Right</source>
        <translation>Vers la droite</translation>
    </message>
    <message>
        <source>Turn Left</source>
        <translation>Pivoter à gauche</translation>
    </message>
    <message>
        <source>Turn Right</source>
        <translation>Pivoter à droite</translation>
    </message>
    <message>
        <source>Mirror</source>
        <translation>Miroir</translation>
    </message>
    <message>
        <source>Flip</source>
        <translation>Retourner</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Restaurer</translation>
    </message>
    <message>
        <source>Sort</source>
        <translation>Trier</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importer</translation>
    </message>
    <message>
        <source>Select One or More Files</source>
        <translation>Sélectionner un ou plusieurs fichiers</translation>
    </message>
    <message>
        <source>Select one folder</source>
        <translation>Sélectionner un dossier</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>Annuler&#xa0;: %1</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation>Rétablir&#xa0;: %1</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Rétablir</translation>
    </message>
    <message>
        <source>Fit (black bars)</source>
        <translation>Ajuster (bandes noires)</translation>
    </message>
    <message>
        <source>Fit on a blurred background</source>
        <translation>Ajuster sur un fond flou</translation>
    </message>
    <message>
        <source>Fill (crop)</source>
        <translation>Remplir (recadrer)</translation>
    </message>
    <message>
        <source>Framing</source>
        <translation>Cadrage</translation>
    </message>
    <message>
        <source>&amp;New Show</source>
        <translation>&amp;Nouveau diaporama</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>Ouvrir un fichier &amp;récent</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Sans titre</translation>
    </message>
    <message>
        <source>Vellumix did not close normally last time.</source>
        <translation>Vellumix ne s’est pas fermé normalement la dernière fois.</translation>
    </message>
    <message>
        <source>The show &quot;%1&quot; was saved automatically at %2. Do you want to recover it?</source>
        <translation>Le diaporama «&#xa0;%1&#xa0;» a été enregistré automatiquement à %2. Voulez-vous le récupérer&#xa0;?</translation>
    </message>
    <message>
        <source>&amp;Recover</source>
        <translation>&amp;Récupérer</translation>
    </message>
    <message>
        <source>%1[*] - %2</source>
        <translation>%1[*] - %2</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) of this show could not be found. They stay in the show, marked in the strips, and are left out of the video until they are back in place:</source>
        <translation>
            <numerusform>%n fichier de ce diaporama est introuvable. Il reste dans le diaporama, signalé dans les bandes, et sera omis de la vidéo jusqu’à ce qu’il soit remis en place&#xa0;:</numerusform>
            <numerusform>%n fichiers de ce diaporama sont introuvables. Ils restent dans le diaporama, signalés dans les bandes, et seront omis de la vidéo jusqu’à ce qu’ils soient remis en place&#xa0;:</numerusform>
        </translation>
    </message>
    <message>
        <source>None of the photos of this show can be found, so there is nothing to make a video of:</source>
        <translation>Aucune photo de ce diaporama n’est trouvable&#xa0;; il n’y a donc rien à mettre en vidéo&#xa0;:</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) of this show could not be found and will be left out of the video:</source>
        <translation>
            <numerusform>%n fichier de ce diaporama est introuvable et sera omis de la vidéo&#xa0;:</numerusform>
            <numerusform>%n fichiers de ce diaporama sont introuvables et seront omis de la vidéo&#xa0;:</numerusform>
        </translation>
    </message>
    <message>
        <source>This show lasts more than 60 seconds. An animated GIF of it will be large and slow to send. Make the GIF anyway?</source>
        <translation>Ce diaporama dure plus de 60 secondes. Un GIF animé de celui-ci sera volumineux et lent à envoyer. Créer le GIF quand même&#xa0;?</translation>
    </message>
    <message>
        <source>As the album</source>
        <translation>Comme l’album</translation>
    </message>
    <message>
        <source>Dissolve</source>
        <translation>Fondu</translation>
    </message>
    <message>
        <source>Wipe</source>
        <translation>Volet</translation>
    </message>
    <message>
        <source>Random wipe</source>
        <translation>Volet au hasard</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Coupe</translation>
    </message>
    <message>
        <source>Length...</source>
        <translation>Durée...</translation>
    </message>
    <message>
        <source>Transition Length</source>
        <translation>Durée de la transition</translation>
    </message>
    <message>
        <source>Length of this transition (ms):</source>
        <translation>Durée de cette transition (ms)&#xa0;:</translation>
    </message>
    <message>
        <source>Album&apos;s Length</source>
        <translation>Durée de l’album</translation>
    </message>
    <message>
        <source>Album</source>
        <translation>Album</translation>
    </message>
    <message>
        <source>Per Photo</source>
        <translation>Par photo</translation>
    </message>
    <message>
        <source>Motion</source>
        <translation>Mouvement</translation>
    </message>
    <message>
        <source>Edit Caption...</source>
        <translation>Modifier la légende...</translation>
    </message>
    <message>
        <source>Caption from Photo Description</source>
        <translation>Légende tirée de la description de la photo</translation>
    </message>
    <message>
        <source>The description the photo file carries (XMP, IPTC or camera data)</source>
        <translation>La description que contient le fichier de la photo (XMP, IPTC ou données de l&apos;appareil)</translation>
    </message>
    <message>
        <source>Caption from File Name</source>
        <translation>Légende tirée du nom de fichier</translation>
    </message>
    <message>
        <source>Add Title...</source>
        <translation>Ajouter un titre...</translation>
    </message>
    <message>
        <source>A title card before the selected photo</source>
        <translation>Un carton de titre avant la photo sélectionnée</translation>
    </message>
    <message>
        <source>Caption of this photo:</source>
        <translation>Légende de cette photo&#xa0;:</translation>
    </message>
    <message numerus="yes">
        <source>Caption of the %n selected photos:</source>
        <translation>
            <numerusform>Légende de la photo sélectionnée&#xa0;:</numerusform>
            <numerusform>Légende des %n photos sélectionnées&#xa0;:</numerusform>
        </translation>
    </message>
    <message>
        <source>Edit Caption</source>
        <translation>Modifier la légende</translation>
    </message>
    <message>
        <source>Caption</source>
        <translation>Légende</translation>
    </message>
    <message>
        <source>Add Title</source>
        <translation>Ajouter un titre</translation>
    </message>
    <message>
        <source>The title card cannot be written to %1.</source>
        <translation>Le carton de titre ne peut pas être écrit dans %1.</translation>
    </message>
    <message>
        <source>Use This Caption Style for the Show</source>
        <translation>Utiliser ce style de légende pour le diaporama</translation>
    </message>
    <message>
        <source>Every caption without a style of its own takes this photo&apos;s caption style</source>
        <translation>Chaque légende sans style propre prend le style de légende de cette photo</translation>
    </message>
    <message>
        <source>Caption Style</source>
        <translation>Style de la légende</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Non</translation>
    </message>
    <message>
        <source>%1 LUFS</source>
        <translation>%1 LUFS</translation>
    </message>
    <message>
        <source>Crossfade</source>
        <translation>Fondu enchaîné</translation>
    </message>
    <message>
        <source>Loudness</source>
        <translation>Sonie</translation>
    </message>
    <message>
        <source>Music</source>
        <translation>Musique</translation>
    </message>
    <message>
        <source>Cut on the Beat</source>
        <translation>Couper sur le temps</translation>
    </message>
    <message>
        <source>Edit Title...</source>
        <translation>Modifier le titre...</translation>
    </message>
    <message>
        <source>The selected title card&apos;s text and background</source>
        <translation>Texte et arrière-plan du carton de titre sélectionné</translation>
    </message>
    <message>
        <source>Caption Style for the Show...</source>
        <translation>Style des légendes du diaporama...</translation>
    </message>
    <message>
        <source>The look of every caption without a style of its own</source>
        <translation>L’aspect de chaque légende sans style propre</translation>
    </message>
    <message>
        <source>Edit Title</source>
        <translation>Modifier le titre</translation>
    </message>
</context>
<context>
    <name>VellumixClass</name>
    <message>
        <source>Play</source>
        <translation>Lecture</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêt</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Précédent</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Suivant</translation>
    </message>
    <message>
        <source>Mute</source>
        <translation>Couper le son</translation>
    </message>
    <message>
        <source>Unmute</source>
        <translation>Rétablir le son</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Length</source>
        <translation>Durée</translation>
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
        <translation>Paramètres de l’album</translation>
    </message>
    <message>
        <source>Photo</source>
        <translation>Photo</translation>
    </message>
    <message>
        <source>ms</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>Sync with Audio</source>
        <translation>Synchroniser avec l’audio</translation>
    </message>
    <message>
        <source>Transition</source>
        <translation>Transition</translation>
    </message>
    <message>
        <source>Use Zoom Effect</source>
        <translation>Utiliser l’effet de zoom</translation>
    </message>
    <message>
        <source>Use Transition</source>
        <translation>Utiliser les transitions</translation>
    </message>
    <message>
        <source>Dissolve Only</source>
        <translation>Fondu enchaîné uniquement</translation>
    </message>
    <message>
        <source>Random Transition</source>
        <translation>Transition aléatoire</translation>
    </message>
    <message>
        <source>Audio Settings</source>
        <translation>Paramètres audio</translation>
    </message>
    <message>
        <source>Loop</source>
        <translation>En boucle</translation>
    </message>
    <message>
        <source>Fade In/Out</source>
        <translation>Fondu d’entrée/sortie</translation>
    </message>
    <message>
        <source>Edit Audio</source>
        <translation>Modifier l’audio</translation>
    </message>
    <message>
        <source>Import Photo(s)</source>
        <translation>Importer des photos</translation>
    </message>
    <message>
        <source>Import Photo Folder</source>
        <translation>Importer un dossier de photos</translation>
    </message>
    <message>
        <source>Import Audio File(s)</source>
        <translation>Importer des fichiers audio</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>|</source>
        <translation>|</translation>
    </message>
    <message>
        <source>Turn Left</source>
        <translation>Pivoter à gauche</translation>
    </message>
    <message>
        <source>Turn Right</source>
        <translation>Pivoter à droite</translation>
    </message>
    <message>
        <source>Mirror</source>
        <translation>Miroir</translation>
    </message>
    <message>
        <source>Flip</source>
        <translation>Retourner</translation>
    </message>
    <message>
        <source>Auto Rotate</source>
        <translation>Rotation automatique</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Restaurer</translation>
    </message>
    <message>
        <source>Move Left</source>
        <translation>Vers la gauche</translation>
    </message>
    <message>
        <source>Move Right</source>
        <translation>Vers la droite</translation>
    </message>
    <message>
        <source>Create Video File</source>
        <translation>Créer le fichier vidéo</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Édition</translation>
    </message>
    <message>
        <source>Sort By</source>
        <translation>Trier par</translation>
    </message>
    <message>
        <source>&amp;Actions</source>
        <translation>&amp;Actions</translation>
    </message>
    <message>
        <source>Post Task &amp;Actions</source>
        <translation>&amp;Action après la tâche</translation>
    </message>
    <message>
        <source>&amp;Import Photo(s)...</source>
        <translation>&amp;Importer des photos...</translation>
    </message>
    <message>
        <source>I&amp;mport Photo Folder...</source>
        <translation>Importer un &amp;dossier de photos...</translation>
    </message>
    <message>
        <source>Import &amp;Audio File(s)...</source>
        <translation>Importer des fichiers &amp;audio...</translation>
    </message>
    <message>
        <source>&amp;Properties</source>
        <translation>&amp;Propriétés</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Supprimer</translation>
    </message>
    <message>
        <source>&amp;Clear</source>
        <translation>&amp;Vider</translation>
    </message>
    <message>
        <source>&amp;Select All</source>
        <translation>&amp;Tout sélectionner</translation>
    </message>
    <message>
        <source>Select Invert</source>
        <translation>Inverser la sélection</translation>
    </message>
    <message>
        <source>Auto Rotate All Photos</source>
        <translation>Rotation automatique de toutes les photos</translation>
    </message>
    <message>
        <source>Auto Rotate Photos While Importing</source>
        <translation>Rotation automatique des photos à l’importation</translation>
    </message>
    <message>
        <source>&amp;Create Video File</source>
        <translation>&amp;Créer le fichier vidéo</translation>
    </message>
    <message>
        <source>Do &amp;Nothing</source>
        <translation>Ne &amp;rien faire</translation>
    </message>
    <message>
        <source>&amp;Exit Program</source>
        <translation>&amp;Quitter le programme</translation>
    </message>
    <message>
        <source>&amp;Hibernate</source>
        <translation>Veille &amp;prolongée</translation>
    </message>
    <message>
        <source>&amp;Shut Down</source>
        <translation>&amp;Éteindre</translation>
    </message>
    <message>
        <source>Stand &amp;By</source>
        <translation>Mettre en &amp;veille</translation>
    </message>
    <message>
        <source>Skins</source>
        <translation>Thèmes</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>&amp;Preferences...</source>
        <translation>&amp;Préférences...</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Taille</translation>
    </message>
    <message>
        <source>Ascending</source>
        <translation>Croissant</translation>
    </message>
    <message>
        <source>Descending</source>
        <translation>Décroissant</translation>
    </message>
    <message>
        <source>%1 Files</source>
        <translation>Fichiers %1</translation>
    </message>
    <message>
        <source>All Supported Files</source>
        <translation>Tous les fichiers pris en charge</translation>
    </message>
    <message>
        <source>All Files</source>
        <translation>Tous les fichiers</translation>
    </message>
    <message>
        <source>Framing</source>
        <translation>Cadrage</translation>
    </message>
    <message>
        <source>How photos of another shape than the video fill its frame</source>
        <translation>Comment les photos d’un autre format que la vidéo remplissent son cadre</translation>
    </message>
    <message numerus="yes">
        <source>and %n more</source>
        <translation>
            <numerusform>et %n autre</numerusform>
            <numerusform>et %n autres</numerusform>
        </translation>
    </message>
    <message>
        <source>&amp;New Show</source>
        <translation>&amp;Nouveau diaporama</translation>
    </message>
    <message>
        <source>&amp;Save Show</source>
        <translation>&amp;Enregistrer le diaporama</translation>
    </message>
    <message>
        <source>Sa&amp;ve Show As...</source>
        <translation>Enregistrer le diaporama so&amp;us...</translation>
    </message>
    <message>
        <source>&amp;Open Show...</source>
        <translation>&amp;Ouvrir un diaporama...</translation>
    </message>
    <message>
        <source>Crossfade:</source>
        <translation>Fondu enchaîné&#xa0;:</translation>
    </message>
    <message>
        <source>How long each song fades into the next (0: one after the other)</source>
        <translation>Durée du fondu de chaque chanson dans la suivante (0&#xa0;: l’une après l’autre)</translation>
    </message>
    <message>
        <source> s</source>
        <translation> s</translation>
    </message>
    <message>
        <source>Loudness:</source>
        <translation>Sonie&#xa0;:</translation>
    </message>
    <message>
        <source>Plays every song at the same loudness, without peaks above -1 dBTP</source>
        <translation>Joue chaque chanson à la même sonie, sans crête au-dessus de -1 dBTP</translation>
    </message>
    <message>
        <source>Music</source>
        <translation>Musique</translation>
    </message>
    <message>
        <source>Moves each photo change to the nearest beat of the music</source>
        <translation>Place chaque changement de photo sur le temps le plus proche de la musique</translation>
    </message>
    <message>
        <source>Cut on the beat</source>
        <translation>Couper sur le temps</translation>
    </message>
</context>
<context>
    <name>VersionCheck</name>
    <message>
        <source>all checks passed</source>
        <translation>toutes les vérifications réussies</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>Frame size</source>
        <translation>Taille d’image</translation>
    </message>
    <message>
        <source>Frame rate</source>
        <translation>Fréquence d’images</translation>
    </message>
    <message>
        <source>Video codec</source>
        <translation>Codec vidéo</translation>
    </message>
    <message>
        <source>Audio codec</source>
        <translation>Codec audio</translation>
    </message>
    <message>
        <source>Colour tags</source>
        <translation>Balises de couleur</translation>
    </message>
    <message>
        <source>Index first</source>
        <translation>Index en tête</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Durée</translation>
    </message>
    <message>
        <source>Looping</source>
        <translation>Boucle</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1&#xa0;: %2</translation>
    </message>
    <message>
        <source>%1: %2 (expected %3)</source>
        <translation>%1&#xa0;: %2 (attendu %3)</translation>
    </message>
    <message>
        <source>cannot be read</source>
        <translation>illisible</translation>
    </message>
    <message>
        <source>no stream information</source>
        <translation>aucune information sur les flux</translation>
    </message>
    <message>
        <source>no video</source>
        <translation>aucune vidéo</translation>
    </message>
    <message>
        <source>none</source>
        <translation>aucun</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>oui</translation>
    </message>
    <message>
        <source>no</source>
        <translation>non</translation>
    </message>
    <message>
        <source>forever</source>
        <translation>sans fin</translation>
    </message>
    <message>
        <source>once</source>
        <translation>une fois</translation>
    </message>
</context>
<context>
    <name>VersionProgress</name>
    <message>
        <source>%1: not made. %2</source>
        <translation>%1&#xa0;: non créée. %2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1&#xa0;: %2</translation>
    </message>
    <message>
        <source>%1: %2, all checks passed</source>
        <translation>%1&#xa0;: %2, toutes les vérifications réussies</translation>
    </message>
    <message>
        <source>%1: %2, check failed: %3</source>
        <translation>%1&#xa0;: %2, vérification échouée&#xa0;: %3</translation>
    </message>
    <message>
        <source>Stopped.</source>
        <translation>Arrêté.</translation>
    </message>
    <message>
        <source>Created Successfully!</source>
        <translation>Création réussie&#xa0;!</translation>
    </message>
    <message>
        <source>Not every version was made as it should be.</source>
        <translation>Toutes les versions n’ont pas été créées comme prévu.</translation>
    </message>
    <message>
        <source>Making version %1 of %2: %3</source>
        <translation>Création de la version %1 sur %2&#xa0;: %3</translation>
    </message>
    <message>
        <source>Create Video File</source>
        <translation>Créer le fichier vidéo</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Reprendre</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Suspendre</translation>
    </message>
    <message>
        <source>Failed to open folder &quot;%1&quot;.</source>
        <translation>Impossible d’ouvrir le dossier «&#xa0;%1&#xa0;».</translation>
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
        <translation>Utilisation&#xa0;: vellumix [--lang NOM] [FICHIER...]
              vellumix COMMANDE [OPTIONS]

Transforme des photos et de la musique en diaporama vidéo. Les photos, fichiers audio et dossiers donnés comme FICHIER sont importés dans la fenêtre.

Options&#xa0;:
  --lang NOM    afficher le programme dans la langue NOM (par exemple de_DE)
  --verbose     afficher aussi les messages de débogage du programme et ceux de la bibliothèque graphique
  --version     afficher la version et quitter
  --help        afficher cette aide et quitter
</translation>
    </message>
    <message>
        <source>
Commands:
</source>
        <translation>
Commandes&#xa0;:
</translation>
    </message>
    <message>
        <source>vellumix: unknown option %1 (try --help)</source>
        <translation>vellumix&#xa0;: option inconnue %1 (essayez --help)</translation>
    </message>
    <message>
        <source>License GPLv3+: GNU GPL version 3 or later &lt;https://gnu.org/licenses/gpl.html&gt;.
This is free software: you are free to change and redistribute it.
There is NO WARRANTY, to the extent permitted by law.</source>
        <translation>Licence GPLv3+&#xa0;: GNU GPL version 3 ou ultérieure &lt;https://gnu.org/licenses/gpl.html&gt;.
Ceci est un logiciel libre&#xa0;: vous êtes libre de le modifier et de le redistribuer.
Il n&apos;y a AUCUNE GARANTIE, dans les limites permises par la loi.</translation>
    </message>
</context>
<context>
    <name>ZoMainWindow</name>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Langue</translation>
    </message>
    <message>
        <source>S&amp;kins</source>
        <translation>&amp;Thèmes</translation>
    </message>
    <message>
        <source>Check for &amp;Updates Automatically</source>
        <translation>Rechercher automatiquement les &amp;mises à jour</translation>
    </message>
    <message>
        <source>&amp;About %1...</source>
        <translation>&amp;À propos de %1...</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>À propos de %1</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&lt;h3&gt;%1&lt;/h3&gt;&lt;p&gt;Turns your photos and music into a video slide show.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;%1&lt;/h3&gt;&lt;p&gt;Transforme vos photos et votre musique en diaporama vidéo.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Par défaut</translation>
    </message>
    <message>
        <source>&lt;p&gt;%1 is free software under the GNU General Public License, version 3 or later, and comes with no warranty.&lt;/p&gt;</source>
        <translation>&lt;p&gt;%1 est un logiciel libre, distribué sous la licence publique générale GNU, version 3 ou ultérieure, et fourni sans aucune garantie.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>ZoPowerState</name>
    <message>
        <source>The computer did not carry out the post-task action.</source>
        <translation>L’ordinateur n’a pas effectué l’action après la tâche.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message numerus="yes">
        <source>Vellumix will exit in %n second(s).</source>
        <translation>
            <numerusform>Vellumix se fermera dans %n seconde.</numerusform>
            <numerusform>Vellumix se fermera dans %n secondes.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The computer will stand by in %n second(s).</source>
        <translation>
            <numerusform>L’ordinateur se mettra en veille dans %n seconde.</numerusform>
            <numerusform>L’ordinateur se mettra en veille dans %n secondes.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The computer will hibernate in %n second(s).</source>
        <translation>
            <numerusform>L’ordinateur passera en veille prolongée dans %n seconde.</numerusform>
            <numerusform>L’ordinateur passera en veille prolongée dans %n secondes.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The computer will shut down in %n second(s).</source>
        <translation>
            <numerusform>L’ordinateur s’éteindra dans %n seconde.</numerusform>
            <numerusform>L’ordinateur s’éteindra dans %n secondes.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ZoProfileManager</name>
    <message>
        <source>Video Codec</source>
        <translation>Codec vidéo</translation>
    </message>
    <message>
        <source>Video Size</source>
        <translation>Taille de la vidéo</translation>
    </message>
    <message>
        <source>Video Bitrate</source>
        <translation>Débit vidéo</translation>
    </message>
    <message>
        <source>Frame Rate</source>
        <translation>Fréquence d’images</translation>
    </message>
    <message>
        <source>Audio Codec</source>
        <translation>Codec audio</translation>
    </message>
    <message>
        <source>Audio Bitrate</source>
        <translation>Débit audio</translation>
    </message>
    <message>
        <source>Sample Rate</source>
        <translation>Fréquence d’échantillonnage</translation>
    </message>
    <message>
        <source>Channels</source>
        <translation>Canaux</translation>
    </message>
    <message>
        <source>Aspect Ratio</source>
        <translation>Format d’image</translation>
    </message>
    <message>
        <source>No Audio</source>
        <translation>Sans audio</translation>
    </message>
    <message>
        <source>Rate Control</source>
        <translation>Contrôle du débit</translation>
    </message>
    <message>
        <source>Video Quality</source>
        <translation>Qualité vidéo</translation>
    </message>
    <message>
        <source>Key Frame Interval</source>
        <translation>Intervalle des images clés</translation>
    </message>
    <message>
        <source>B-Frames</source>
        <translation>Images B</translation>
    </message>
    <message>
        <source>Encoder Speed</source>
        <translation>Vitesse de l’encodeur</translation>
    </message>
    <message>
        <source>Pixel Format</source>
        <translation>Format des pixels</translation>
    </message>
    <message>
        <source>Video Tag</source>
        <translation>Balise vidéo</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Durée</translation>
    </message>
    <message>
        <source>Start Time</source>
        <translation>Heure de début</translation>
    </message>
    <message>
        <source>Passes</source>
        <translation>Passes</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titre</translation>
    </message>
    <message>
        <source>Author</source>
        <translation>Auteur</translation>
    </message>
    <message>
        <source>Copyright</source>
        <translation>Droits d’auteur</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>Commentaire</translation>
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
        <translation>Compositeur</translation>
    </message>
    <message>
        <source>Original Artist</source>
        <translation>Artiste original</translation>
    </message>
    <message>
        <source>Encoded By</source>
        <translation>Encodé par</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Année</translation>
    </message>
    <message>
        <source>Time Stamp</source>
        <translation>Horodatage</translation>
    </message>
    <message>
        <source>Track</source>
        <translation>Piste</translation>
    </message>
</context>
<context>
    <name>ZoProfileModel</name>
    <message>
        <source>Recent Profiles</source>
        <translation>Profils récents</translation>
    </message>
</context>
<context>
    <name>ZoProfilePropertyManager</name>
    <message>
        <source>Low Quality</source>
        <translation>Qualité basse</translation>
    </message>
    <message>
        <source>Normal Quality</source>
        <translation>Qualité normale</translation>
    </message>
    <message>
        <source>High Quality</source>
        <translation>Haute qualité</translation>
    </message>
    <message>
        <source>Custom...</source>
        <translation>Personnalisé...</translation>
    </message>
    <message>
        <source>Video</source>
        <translation>Vidéo</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>Metadata</source>
        <translation>Métadonnées</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Autre</translation>
    </message>
    <message>
        <source>Picture Quality</source>
        <translation>Qualité de l’image</translation>
    </message>
    <message>
        <source>Sound Quality</source>
        <translation>Qualité du son</translation>
    </message>
</context>
<context>
    <name>ZoProfilePropertyWidget</name>
    <message>
        <source>More &gt;&gt;</source>
        <translation>Plus &gt;&gt;</translation>
    </message>
    <message>
        <source>%1:</source>
        <comment>a property&apos;s label</comment>
        <translation>%1&#xa0;:</translation>
    </message>
</context>
<context>
    <name>ZoProfileTemplates</name>
    <message>
        <source>3GP Video for Mobile Phones</source>
        <translation>Vidéo 3GP pour téléphones mobiles</translation>
    </message>
    <message>
        <source>AVI MPEG-4 Video</source>
        <translation>Vidéo AVI MPEG-4</translation>
    </message>
    <message>
        <source>DV Video PAL</source>
        <translation>Vidéo DV PAL</translation>
    </message>
    <message>
        <source>MPEG-2 DVD Video NTSC</source>
        <translation>Vidéo DVD MPEG-2 NTSC</translation>
    </message>
    <message>
        <source>MPEG-2 DVD Video PAL</source>
        <translation>Vidéo DVD MPEG-2 PAL</translation>
    </message>
    <message>
        <source>Flash Video</source>
        <translation>Vidéo Flash</translation>
    </message>
    <message>
        <source>H.264 Video for TV</source>
        <translation>Vidéo H.264 pour téléviseur</translation>
    </message>
    <message>
        <source>H.264 HD Video 720p</source>
        <translation>Vidéo HD H.264 720p</translation>
    </message>
    <message>
        <source>Matroska Video</source>
        <translation>Vidéo Matroska</translation>
    </message>
    <message>
        <source>QuickTime Movie</source>
        <translation>Film QuickTime</translation>
    </message>
    <message>
        <source>MPEG-4 Video</source>
        <translation>Vidéo MPEG-4</translation>
    </message>
    <message>
        <source>MPEG-4 H.264 Video</source>
        <translation>Vidéo MPEG-4 H.264</translation>
    </message>
    <message>
        <source>MP4 Silent</source>
        <translation>MP4 sans son</translation>
    </message>
    <message>
        <source>MPEG-4 H.264 Video without Audio</source>
        <translation>Vidéo MPEG-4 H.264 sans son</translation>
    </message>
    <message>
        <source>Ogg Theora Video</source>
        <translation>Vidéo Ogg Theora</translation>
    </message>
    <message>
        <source>Mobile Phone</source>
        <translation>Téléphone mobile</translation>
    </message>
    <message>
        <source>MP4 Video for Mobile Phones</source>
        <translation>Vidéo MP4 pour téléphones mobiles</translation>
    </message>
    <message>
        <source>PSP Video</source>
        <translation>Vidéo PSP</translation>
    </message>
    <message>
        <source>Flash Movie</source>
        <translation>Animation Flash</translation>
    </message>
    <message>
        <source>H.264 Ultra HD Video 3840 x 2160</source>
        <translation>Vidéo Ultra HD H.264 3840 x 2160</translation>
    </message>
    <message>
        <source>WebM VP8 Video</source>
        <translation>Vidéo WebM VP8</translation>
    </message>
    <message>
        <source>WebM VP9 Video</source>
        <translation>Vidéo WebM VP9</translation>
    </message>
    <message>
        <source>Windows Media Video</source>
        <translation>Vidéo Windows Media</translation>
    </message>
    <message>
        <source>Share</source>
        <translation>Partager</translation>
    </message>
    <message>
        <source>More formats</source>
        <translation>Autres formats</translation>
    </message>
    <message>
        <source>Legacy</source>
        <translation>Anciens formats</translation>
    </message>
    <message>
        <source>Video sites</source>
        <translation>Sites vidéo</translation>
    </message>
    <message>
        <source>Full HD 16:9 for video sites</source>
        <translation>Full HD 16:9 pour les sites vidéo</translation>
    </message>
    <message>
        <source>Video sites 4K</source>
        <translation>Sites vidéo 4K</translation>
    </message>
    <message>
        <source>Ultra HD 16:9 for video sites</source>
        <translation>Ultra HD 16:9 pour les sites vidéo</translation>
    </message>
    <message>
        <source>Phones, vertical</source>
        <translation>Téléphones, vertical</translation>
    </message>
    <message>
        <source>Vertical 9:16 for short-video apps</source>
        <translation>Vertical 9:16 pour les applis de vidéos courtes</translation>
    </message>
    <message>
        <source>Square</source>
        <translation>Carré</translation>
    </message>
    <message>
        <source>Square 1:1 for feeds</source>
        <translation>Carré 1:1 pour les fils d’actualité</translation>
    </message>
    <message>
        <source>Portrait post</source>
        <translation>Publication portrait</translation>
    </message>
    <message>
        <source>Portrait 4:5 for feeds</source>
        <translation>Portrait 4:5 pour les fils d’actualité</translation>
    </message>
    <message>
        <source>Animated GIF</source>
        <translation>GIF animé</translation>
    </message>
    <message>
        <source>Looping animated GIF for chats</source>
        <translation>GIF animé en boucle pour les discussions</translation>
    </message>
</context>
<context>
    <name>ZomBitrateCalc</name>
    <message>
        <source>Bit Rate Calculator</source>
        <translation>Calculateur de débit</translation>
    </message>
    <message>
        <source>Set the length of the video and the file size you want, or set the bit rates.</source>
        <translation>Indiquez la durée de la vidéo et la taille de fichier souhaitée, ou réglez les débits.</translation>
    </message>
    <message>
        <source>Duration:</source>
        <translation>Durée&#xa0;:</translation>
    </message>
    <message>
        <source>File Size:</source>
        <translation>Taille du fichier&#xa0;:</translation>
    </message>
    <message>
        <source>Audio Bit Rate:</source>
        <translation>Débit audio&#xa0;:</translation>
    </message>
    <message>
        <source>Video Bit Rate:</source>
        <translation>Débit vidéo&#xa0;:</translation>
    </message>
</context>
</TS>
