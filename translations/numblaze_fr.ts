<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>Accessibility</name>
    <message>
        <source>News</source>
        <translation>Infos</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 sur %2</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>%1: %2 (try &apos;%1 --help&apos;)</source>
        <translation>%1&#xa0;: %2 (essaie &apos;%1 --help&apos;)</translation>
    </message>
    <message>
        <source>Usage: %1 [options]</source>
        <translation>Utilisation&#xa0;: %1 [options]</translation>
    </message>
    <message>
        <source>Race the computer with mental arithmetic.</source>
        <translation>Fais la course contre l&apos;ordinateur en calculant dans ta tête.</translation>
    </message>
    <message>
        <source>Show this help and quit.</source>
        <translation>Montrer cette aide et quitter.</translation>
    </message>
    <message>
        <source>Show the version of the game and quit.</source>
        <translation>Montrer la version du jeu et quitter.</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>option inconnue &apos;%1&apos;</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>argument inattendu &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Start without sound (the M key turns it on).</source>
        <translation>Démarrer sans son (la touche M le rétablit).</translation>
    </message>
    <message>
        <source>Give yourself extra time: the opponents race at half speed (F2 on the menu switches it too).</source>
        <translation>Prends plus de temps&#xa0;: les adversaires courent à mi-vitesse (F2 dans le menu le règle aussi).</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>Press ENTER to send your answer!</source>
        <translation>Écris la réponse et appuie sur ENTRÉE&#xa0;!</translation>
    </message>
    <message>
        <source>You won!!!</source>
        <translation>Tu as gagné&#xa0;!!!</translation>
    </message>
    <message>
        <source>You lost!</source>
        <translation>Tu as perdu&#xa0;!</translation>
    </message>
    <message>
        <source>Numblaze race</source>
        <translation>Course Numblaze</translation>
    </message>
    <message>
        <source>Answer</source>
        <translation>Réponse</translation>
    </message>
    <message>
        <source>Track</source>
        <translation>Piste</translation>
    </message>
    <message>
        <source>Your ball</source>
        <translation>Ta balle</translation>
    </message>
    <message>
        <source>Opponent&apos;s ball</source>
        <translation>Balle de l&apos;adversaire</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Your opponent</source>
        <translation>Ton adversaire</translation>
    </message>
    <message>
        <source>You %1, %2 %3.</source>
        <translation>Toi %1, %2 %3.</translation>
    </message>
    <message>
        <source>Go! %1.</source>
        <translation>Partez&#xa0;! %1.</translation>
    </message>
    <message>
        <source>Right.</source>
        <translation>Juste.</translation>
    </message>
    <message>
        <source>Wrong.</source>
        <translation>Faux.</translation>
    </message>
    <message>
        <source>%1 %2.</source>
        <translation>%1 %2.</translation>
    </message>
    <message>
        <source>%1 %2 %3.</source>
        <translation>%1 %2 %3.</translation>
    </message>
    <message>
        <source>%1 is ahead.</source>
        <translation>%1 est devant.</translation>
    </message>
    <message>
        <source>%1 is near the finish.</source>
        <translation>%1 est près de l&apos;arrivée.</translation>
    </message>
    <message>
        <source>You lost! %1 got there first.</source>
        <translation>Tu as perdu&#xa0;! %1 est arrivé le premier.</translation>
    </message>
    <message>
        <source>You won! Your highest number is now %1.</source>
        <translation>Tu as gagné&#xa0;! Ton plus grand nombre est maintenant %1.</translation>
    </message>
    <message>
        <source>You won! Your highest number for %1 against %2 is now %3.</source>
        <translation>Tu as gagné&#xa0;! Ton plus grand nombre pour %1 contre %2 est maintenant %3.</translation>
    </message>
    <message>
        <source>Get ready</source>
        <translation>Prépare-toi</translation>
    </message>
    <message>
        <source>%1 of %2 steps</source>
        <translation>%1 pas sur %2</translation>
    </message>
    <message>
        <source>Back to the menu</source>
        <translation>Retour au menu</translation>
    </message>
</context>
<context>
    <name>Form2</name>
    <message>
        <source>You can go on playing: the game tries again after your next win and when you leave.</source>
        <translation>Appuie sur «&#xa0;OK&#xa0;» et continue à jouer&#xa0;: le jeu essaiera encore de garder tes records après ta prochaine victoire et quand tu quitteras le jeu.</translation>
    </message>
    <message>
        <source>Retry when the problem is solved, or discard the records of this game.</source>
        <translation>Appuie sur «&#xa0;Réessayer&#xa0;» quand le problème est réglé&#xa0;: le jeu essaiera encore de garder tes records. Si tu appuies sur «&#xa0;Ne pas tenir compte&#xa0;», le jeu se ferme et tes records d&apos;aujourd&apos;hui ne sont pas gardés.</translation>
    </message>
    <message>
        <source>Your highest number is %1.</source>
        <translation>Ton plus grand nombre&#xa0;: %1.</translation>
    </message>
    <message>
        <source>Race against:</source>
        <translation>Course contre&#xa0;:</translation>
    </message>
    <message>
        <source>Race!</source>
        <translation>En piste&#xa0;!</translation>
    </message>
    <message>
        <source>Hall of Fame</source>
        <translation>Records</translation>
    </message>
    <message>
        <source>Math</source>
        <translation>Calcul</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Extra time is on: press F2 to switch it off.</source>
        <translation>Le temps en plus est activé&#xa0;: appuie sur F2 pour l&apos;arrêter.</translation>
    </message>
    <message>
        <source>For extra time, press F2: the opponents go at half speed.</source>
        <translation>Pour avoir plus de temps, appuie sur F2&#xa0;: les adversaires vont à mi-vitesse.</translation>
    </message>
    <message>
        <source>%1 against %2: your highest number is %3.</source>
        <translation>%1 contre %2&#xa0;: ton plus grand nombre est %3.</translation>
    </message>
    <message>
        <source>Extra time on.</source>
        <translation>Temps en plus activé.</translation>
    </message>
    <message>
        <source>Extra time off.</source>
        <translation>Temps en plus désactivé.</translation>
    </message>
</context>
<context>
    <name>Form3</name>
    <message>
        <source>Numblaze Hall of Fame</source>
        <translation>Records de Numblaze</translation>
    </message>
    <message>
        <source>Hall of Fame</source>
        <translation>Records</translation>
    </message>
    <message>
        <source>%1, %2: %3</source>
        <translation>%1, %2&#xa0;: %3</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>an opponent, then the record against that opponent</comment>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>%1: %2.</source>
        <comment>a math kind, then its records</comment>
        <translation>%1&#xa0;: %2.</translation>
    </message>
    <message>
        <source>Highest numbers</source>
        <translation>Plus grands nombres</translation>
    </message>
</context>
<context>
    <name>MathKinds</name>
    <message>
        <source>Addition</source>
        <extracomment>A math kind, as the menu offers it and the records say it</extracomment>
        <translation>Addition</translation>
    </message>
    <message>
        <source>Subtraction</source>
        <translation>Soustraction</translation>
    </message>
    <message>
        <source>Multiplication</source>
        <translation>Multiplication</translation>
    </message>
    <message>
        <source>Division</source>
        <translation>Division</translation>
    </message>
    <message>
        <source>Addition:</source>
        <extracomment>A row title of the Hall of Fame</extracomment>
        <translation>Addition&#xa0;:</translation>
    </message>
    <message>
        <source>+</source>
        <comment>the addition sign as the race shows it</comment>
        <extracomment>The addition sign as the race shows it and a screen reader says it</extracomment>
        <translation>+</translation>
    </message>
    <message>
        <source>%1 plus %2</source>
        <extracomment>An addition in words, as a screen reader says it: %1 and %2 are numbers</extracomment>
        <translation>%1 plus %2</translation>
    </message>
    <message>
        <source>Subtraction:</source>
        <translation>Soustraction&#xa0;:</translation>
    </message>
    <message>
        <source>-</source>
        <comment>the subtraction sign as the race shows it</comment>
        <extracomment>The subtraction sign as the race shows it and a screen reader says it</extracomment>
        <translation>-</translation>
    </message>
    <message>
        <source>%1 minus %2</source>
        <extracomment>A subtraction in words, as a screen reader says it: %1 and %2 are numbers</extracomment>
        <translation>%1 moins %2</translation>
    </message>
    <message>
        <source>Multiplication:</source>
        <translation>Multiplication&#xa0;:</translation>
    </message>
    <message>
        <source>*</source>
        <comment>the multiplication sign as the race shows it</comment>
        <extracomment>The multiplication sign as the race shows it and a screen reader says it</extracomment>
        <translation>×</translation>
    </message>
    <message>
        <source>%1 times %2</source>
        <extracomment>A multiplication in words, as a screen reader says it: %1 and %2 are numbers</extracomment>
        <translation>%1 fois %2</translation>
    </message>
    <message>
        <source>Division:</source>
        <translation>Division&#xa0;:</translation>
    </message>
    <message>
        <source>/</source>
        <comment>the division sign as the race shows it</comment>
        <extracomment>The division sign as the race shows it and a screen reader says it</extracomment>
        <translation>:</translation>
    </message>
    <message>
        <source>%1 divided by %2</source>
        <extracomment>A division in words, as a screen reader says it: %1 and %2 are numbers</extracomment>
        <translation>%1 divisé par %2</translation>
    </message>
</context>
<context>
    <name>Opponents</name>
    <message>
        <source>Bobby Blue</source>
        <translation>Bruno Bleu</translation>
    </message>
    <message>
        <source>Patty Purple</source>
        <translation>Léa Violette</translation>
    </message>
    <message>
        <source>Ronald Red</source>
        <translation>Robin Rouge</translation>
    </message>
</context>
<context>
    <name>Records</name>
    <message>
        <source>it is not an ordinary file</source>
        <translation>ce n&apos;est pas un fichier normal</translation>
    </message>
    <message>
        <source>it is a link to a file that does not exist</source>
        <translation>c&apos;est un lien vers un fichier qui n&apos;existe pas</translation>
    </message>
    <message>
        <source>it is a link to a file that belongs to another user</source>
        <translation>c&apos;est un lien vers le fichier de quelqu&apos;un d&apos;autre</translation>
    </message>
    <message>
        <source>the file cannot be changed (%1)</source>
        <translation>le fichier ne peut pas être changé (%1)</translation>
    </message>
    <message>
        <source>the game is installed for every player of this computer</source>
        <translation>le jeu est installé pour tous les joueurs de cet ordinateur</translation>
    </message>
    <message>
        <source>Numblaze could not make sure that it is the only copy of the game using the records in %1 (%2). Your records will still be saved, but do not play two copies at once.</source>
        <translation>Numblaze n&apos;a pas pu vérifier qu&apos;il est le seul jeu ouvert à utiliser les records de %1 (%2). Tes records seront quand même gardés, mais n&apos;ouvre pas le jeu deux fois en même temps.</translation>
    </message>
    <message>
        <source>no file can be created beside the program in %1 (%2), nor in %3 (%4)</source>
        <translation>aucun fichier ne peut être créé à côté du programme dans %1 (%2), ni dans %3 (%4)</translation>
    </message>
    <message>
        <source>Numblaze cannot save your records: %1. You can play, but the records you win today will not be kept.</source>
        <translation>Numblaze ne peut pas garder tes records&#xa0;: %1. Tu peux jouer, mais tes records d&apos;aujourd&apos;hui ne seront pas gardés.</translation>
    </message>
    <message>
        <source>the records in %1 could not be copied to your own folder (%2)</source>
        <translation>les records de %1 n&apos;ont pas pu être copiés dans ton dossier (%2)</translation>
    </message>
    <message>
        <source>Numblaze could not read your records in %1 (%2). You can play, starting from the first records, but that file is left as it is and today&apos;s records will not be saved in it.</source>
        <translation>Numblaze n&apos;a pas pu lire tes records dans %1 (%2). Appuie sur «&#xa0;OK&#xa0;» et joue en repartant des premiers records. Ce fichier reste tel quel, et tes records d&apos;aujourd&apos;hui n&apos;y seront pas gardés.</translation>
    </message>
    <message>
        <source>Your records in %1 will not be saved: %2. You can still play.</source>
        <translation>Tes records dans %1 ne seront pas gardés&#xa0;: %2. Tu peux quand même jouer.</translation>
    </message>
    <message>
        <source>another copy of Numblaze is using them</source>
        <translation>un autre Numblaze les utilise</translation>
    </message>
    <message>
        <source>Numblaze could not save your records in %1: %2.</source>
        <translation>Numblaze n&apos;a pas pu garder tes records dans %1&#xa0;: %2.</translation>
    </message>
    <message>
        <source>the file could not be read (%1), so it is left as it is</source>
        <translation>le fichier n&apos;a pas pu être lu (%1), alors il reste tel quel</translation>
    </message>
    <message>
        <source>it is a link that another user made, or that lies in another user&apos;s folder</source>
        <translation>c&apos;est un lien créé par un autre utilisateur, ou placé dans le dossier d&apos;un autre utilisateur</translation>
    </message>
    <message>
        <source>no file there can be locked by you alone</source>
        <translation>aucun fichier n&apos;y peut être verrouillé par toi seul</translation>
    </message>
    <message>
        <source>no file can be created beside the program in %1 (%2), and no home folder is set for a folder of your own</source>
        <translation>aucun fichier ne peut être créé à côté du programme dans %1 (%2), et aucun dossier personnel n&apos;est défini pour un dossier à toi</translation>
    </message>
    <message>
        <source>Your records are kept in %1 this time. Last time they were kept in %2: the records from both places are put together, and this game&apos;s wins are saved in %1.</source>
        <translation>Tes records sont gardés cette fois dans %1. La dernière fois, ils l&apos;étaient dans %2&#xa0;: les records des deux endroits sont réunis, et les victoires de cette partie sont enregistrées dans %1.</translation>
    </message>
</context>
<context>
    <name>RunningCopy</name>
    <message>
        <source>Numblaze is already running.</source>
        <translation>Numblaze est déjà ouvert.</translation>
    </message>
    <message>
        <source>Another user&apos;s copy of the game is using the records in %1. Close it, then start Numblaze again.</source>
        <translation>La copie du jeu d&apos;un autre utilisateur utilise les records de %1. Ferme-la, puis relance Numblaze.</translation>
    </message>
    <message>
        <source>Another copy of the game is using the records in %1, and it did not come to the front: it may run on another screen or as another user. Close it, then start Numblaze again.</source>
        <translation>Une autre copie du jeu utilise les records de %1 et n&apos;est pas passée au premier plan&#xa0;: elle tourne peut-être sur un autre écran ou sous un autre utilisateur. Ferme-la, puis relance Numblaze.</translation>
    </message>
</context>
<context>
    <name>Sound</name>
    <message>
        <source>no sound device found; playing without sound</source>
        <translation>aucun périphérique audio trouvé ; le jeu continue sans son</translation>
    </message>
    <message>
        <source>the sound device stopped working; playing on without sound</source>
        <translation>le périphérique audio ne fonctionne plus ; le jeu continue sans son</translation>
    </message>
    <message>
        <source>the sound server stopped taking the game&apos;s sound; its stream was opened again</source>
        <translation>le serveur audio ne prenait plus le son du jeu ; son flux a été rouvert</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>no display found: set DISPLAY or WAYLAND_DISPLAY, or start it from a desktop session</source>
        <translation>aucun écran trouvé&#xa0;: règle DISPLAY ou WAYLAND_DISPLAY, ou lance le jeu depuis une session de bureau</translation>
    </message>
</context>
<context>
    <name>Translations</name>
    <message>
        <source>en</source>
        <extracomment>The code of the language of this translation, as the name of its file has it (&quot;de&quot;, &quot;pt_BR&quot;). The race&apos;s pictures with words in them are chosen by it.</extracomment>
        <translation>fr</translation>
    </message>
</context>
<context>
    <name>numblaze::MuteKey</name>
    <message>
        <source>Sound off</source>
        <translation>Son coupé</translation>
    </message>
    <message>
        <source>Sound on</source>
        <translation>Son activé</translation>
    </message>
</context>
</TS>
