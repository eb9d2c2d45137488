<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>Accessibility</name>
    <message>
        <source>News</source>
        <translation>Avisos</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 de %2</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>%1: %2 (try &apos;%1 --help&apos;)</source>
        <translation>%1: %2 (prueba &apos;%1 --help&apos;)</translation>
    </message>
    <message>
        <source>Usage: %1 [options]</source>
        <translation>Uso: %1 [opciones]</translation>
    </message>
    <message>
        <source>Race the computer with mental arithmetic.</source>
        <translation>Haz carreras contra la computadora y calcula de cabeza.</translation>
    </message>
    <message>
        <source>Show this help and quit.</source>
        <translation>Muestra esta ayuda y sale.</translation>
    </message>
    <message>
        <source>Show the version of the game and quit.</source>
        <translation>Muestra la versión del juego y sale.</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>opción desconocida &apos;%1&apos;</translation>
    </message>
    <message>
        <source>unexpected argument &apos;%1&apos;</source>
        <translation>argumento inesperado &apos;%1&apos;</translation>
    </message>
    <message>
        <source>Start without sound (the M key turns it on).</source>
        <translation>Empezar sin sonido (la tecla M lo activa).</translation>
    </message>
    <message>
        <source>Give yourself extra time: the opponents race at half speed (F2 on the menu switches it too).</source>
        <translation>Date más tiempo: los rivales corren a media velocidad (F2 en el menú también lo cambia).</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>Press ENTER to send your answer!</source>
        <translation>¡Escribe la respuesta y presiona ENTER!</translation>
    </message>
    <message>
        <source>You won!!!</source>
        <translation>¡¡¡Ganaste!!!</translation>
    </message>
    <message>
        <source>You lost!</source>
        <translation>¡Perdiste!</translation>
    </message>
    <message>
        <source>Numblaze race</source>
        <translation>Carrera de Numblaze</translation>
    </message>
    <message>
        <source>Answer</source>
        <translation>Respuesta</translation>
    </message>
    <message>
        <source>Track</source>
        <translation>Pista</translation>
    </message>
    <message>
        <source>Your ball</source>
        <translation>Tu bola</translation>
    </message>
    <message>
        <source>Opponent&apos;s ball</source>
        <translation>Bola del rival</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Parar</translation>
    </message>
    <message>
        <source>Your opponent</source>
        <translation>Tu rival</translation>
    </message>
    <message>
        <source>You %1, %2 %3.</source>
        <translation>Tú %1, %2 %3.</translation>
    </message>
    <message>
        <source>Go! %1.</source>
        <translation>¡Ya! %1.</translation>
    </message>
    <message>
        <source>Right.</source>
        <translation>Bien.</translation>
    </message>
    <message>
        <source>Wrong.</source>
        <translation>Mal.</translation>
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
        <translation>%1 va delante.</translation>
    </message>
    <message>
        <source>%1 is near the finish.</source>
        <translation>%1 está cerca de la meta.</translation>
    </message>
    <message>
        <source>You lost! %1 got there first.</source>
        <translation>¡Perdiste! %1 llegó primero.</translation>
    </message>
    <message>
        <source>You won! Your highest number is now %1.</source>
        <translation>¡Ganaste! Tu número más alto es ahora %1.</translation>
    </message>
    <message>
        <source>You won! Your highest number for %1 against %2 is now %3.</source>
        <translation>¡Ganaste! Tu número más alto en %1 contra %2 es ahora %3.</translation>
    </message>
    <message>
        <source>Get ready</source>
        <translation>Prepárate</translation>
    </message>
    <message>
        <source>%1 of %2 steps</source>
        <translation>%1 de %2 pasos</translation>
    </message>
    <message>
        <source>Back to the menu</source>
        <translation>Volver al menú</translation>
    </message>
</context>
<context>
    <name>Form2</name>
    <message>
        <source>You can go on playing: the game tries again after your next win and when you leave.</source>
        <translation>Presiona «Aceptar» y sigue jugando: el juego intentará otra vez guardar tus récords después de tu próxima victoria y cuando salgas.</translation>
    </message>
    <message>
        <source>Retry when the problem is solved, or discard the records of this game.</source>
        <translation>Presiona «Reintentar» cuando el problema esté resuelto: el juego intentará otra vez guardar tus récords. Si presionas «Descartar», el juego se cierra y tus récords de hoy no se guardan.</translation>
    </message>
    <message>
        <source>Your highest number is %1.</source>
        <translation>Tu número más alto es %1.</translation>
    </message>
    <message>
        <source>Race against:</source>
        <translation>Carrera contra:</translation>
    </message>
    <message>
        <source>Race!</source>
        <translation>¡A correr!</translation>
    </message>
    <message>
        <source>Hall of Fame</source>
        <translation>Récords</translation>
    </message>
    <message>
        <source>Math</source>
        <translation>Cuentas</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>Extra time is on: press F2 to switch it off.</source>
        <translation>El tiempo extra está activado: pulsa F2 para quitarlo.</translation>
    </message>
    <message>
        <source>For extra time, press F2: the opponents go at half speed.</source>
        <translation>Para tener tiempo extra, pulsa F2: los rivales van a media velocidad.</translation>
    </message>
    <message>
        <source>%1 against %2: your highest number is %3.</source>
        <translation>%1 contra %2: tu número más alto es %3.</translation>
    </message>
    <message>
        <source>Extra time on.</source>
        <translation>Tiempo extra activado.</translation>
    </message>
    <message>
        <source>Extra time off.</source>
        <translation>Tiempo extra desactivado.</translation>
    </message>
</context>
<context>
    <name>Form3</name>
    <message>
        <source>Numblaze Hall of Fame</source>
        <translation>Récords de Numblaze</translation>
    </message>
    <message>
        <source>Hall of Fame</source>
        <translation>Récords</translation>
    </message>
    <message>
        <source>%1, %2: %3</source>
        <translation>%1, %2: %3</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>an opponent, then the record against that opponent</comment>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>%1: %2.</source>
        <comment>a math kind, then its records</comment>
        <translation>%1: %2.</translation>
    </message>
    <message>
        <source>Highest numbers</source>
        <translation>Números más altos</translation>
    </message>
</context>
<context>
    <name>MathKinds</name>
    <message>
        <source>Addition</source>
        <extracomment>A math kind, as the menu offers it and the records say it</extracomment>
        <translation>Suma</translation>
    </message>
    <message>
        <source>Subtraction</source>
        <translation>Resta</translation>
    </message>
    <message>
        <source>Multiplication</source>
        <translation>Multiplicación</translation>
    </message>
    <message>
        <source>Division</source>
        <translation>División</translation>
    </message>
    <message>
        <source>Addition:</source>
        <extracomment>A row title of the Hall of Fame</extracomment>
        <translation>Suma:</translation>
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
        <translation>%1 más %2</translation>
    </message>
    <message>
        <source>Subtraction:</source>
        <translation>Resta:</translation>
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
        <translation>%1 menos %2</translation>
    </message>
    <message>
        <source>Multiplication:</source>
        <translation>Multiplicación:</translation>
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
        <translation>%1 por %2</translation>
    </message>
    <message>
        <source>Division:</source>
        <translation>División:</translation>
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
        <translation>%1 dividido entre %2</translation>
    </message>
</context>
<context>
    <name>Opponents</name>
    <message>
        <source>Bobby Blue</source>
        <translation>Abel Azul</translation>
    </message>
    <message>
        <source>Patty Purple</source>
        <translation>Marta Morada</translation>
    </message>
    <message>
        <source>Ronald Red</source>
        <translation>Rafa Rojo</translation>
    </message>
</context>
<context>
    <name>Records</name>
    <message>
        <source>it is not an ordinary file</source>
        <translation>no es un archivo normal</translation>
    </message>
    <message>
        <source>it is a link to a file that does not exist</source>
        <translation>es un enlace a un archivo que no existe</translation>
    </message>
    <message>
        <source>it is a link to a file that belongs to another user</source>
        <translation>es un enlace al archivo de otra persona</translation>
    </message>
    <message>
        <source>the file cannot be changed (%1)</source>
        <translation>el archivo no se puede cambiar (%1)</translation>
    </message>
    <message>
        <source>the game is installed for every player of this computer</source>
        <translation>el juego está instalado para todos los jugadores de esta computadora</translation>
    </message>
    <message>
        <source>Numblaze could not make sure that it is the only copy of the game using the records in %1 (%2). Your records will still be saved, but do not play two copies at once.</source>
        <translation>Numblaze no pudo comprobar que es la única copia del juego que usa los récords de %1 (%2). Tus récords se guardarán igual, pero no juegues con dos copias a la vez.</translation>
    </message>
    <message>
        <source>no file can be created beside the program in %1 (%2), nor in %3 (%4)</source>
        <translation>no se puede crear ningún archivo junto al programa en %1 (%2), ni en %3 (%4)</translation>
    </message>
    <message>
        <source>Numblaze cannot save your records: %1. You can play, but the records you win today will not be kept.</source>
        <translation>Numblaze no puede guardar tus récords: %1. Puedes jugar, pero tus récords de hoy no se guardarán.</translation>
    </message>
    <message>
        <source>the records in %1 could not be copied to your own folder (%2)</source>
        <translation>los récords de %1 no se pudieron copiar a tu carpeta (%2)</translation>
    </message>
    <message>
        <source>Numblaze could not read your records in %1 (%2). You can play, starting from the first records, but that file is left as it is and today&apos;s records will not be saved in it.</source>
        <translation>Numblaze no pudo leer tus récords en %1 (%2). Presiona «Aceptar» y juega empezando desde los primeros récords. Ese archivo se queda como está, y tus récords de hoy no se guardarán en él.</translation>
    </message>
    <message>
        <source>Your records in %1 will not be saved: %2. You can still play.</source>
        <translation>Tus récords en %1 no se guardarán: %2. Puedes jugar igual.</translation>
    </message>
    <message>
        <source>another copy of Numblaze is using them</source>
        <translation>otra copia de Numblaze los está usando</translation>
    </message>
    <message>
        <source>Numblaze could not save your records in %1: %2.</source>
        <translation>Numblaze no pudo guardar tus récords en %1: %2.</translation>
    </message>
    <message>
        <source>the file could not be read (%1), so it is left as it is</source>
        <translation>el archivo no se pudo leer (%1), así que se queda como está</translation>
    </message>
    <message>
        <source>it is a link that another user made, or that lies in another user&apos;s folder</source>
        <translation>es un enlace creado por otro usuario, o que está en la carpeta de otro usuario</translation>
    </message>
    <message>
        <source>no file there can be locked by you alone</source>
        <translation>allí no hay ningún archivo que solo tú puedas bloquear</translation>
    </message>
    <message>
        <source>no file can be created beside the program in %1 (%2), and no home folder is set for a folder of your own</source>
        <translation>no se puede crear ningún archivo junto al programa en %1 (%2), y no hay ninguna carpeta personal definida para una carpeta tuya</translation>
    </message>
    <message>
        <source>Your records are kept in %1 this time. Last time they were kept in %2: the records from both places are put together, and this game&apos;s wins are saved in %1.</source>
        <translation>Esta vez tus récords se guardan en %1. La última vez se guardaron en %2: los récords de ambos lugares se juntan, y las victorias de esta partida se guardan en %1.</translation>
    </message>
</context>
<context>
    <name>RunningCopy</name>
    <message>
        <source>Numblaze is already running.</source>
        <translation>Numblaze ya está abierto.</translation>
    </message>
    <message>
        <source>Another user&apos;s copy of the game is using the records in %1. Close it, then start Numblaze again.</source>
        <translation>La copia del juego de otro usuario está usando los récords de %1. Ciérrala y vuelve a iniciar Numblaze.</translation>
    </message>
    <message>
        <source>Another copy of the game is using the records in %1, and it did not come to the front: it may run on another screen or as another user. Close it, then start Numblaze again.</source>
        <translation>Otra copia del juego está usando los récords de %1 y no ha pasado al primer plano: quizá se ejecuta en otra pantalla o como otro usuario. Ciérrala y vuelve a iniciar Numblaze.</translation>
    </message>
</context>
<context>
    <name>Sound</name>
    <message>
        <source>no sound device found; playing without sound</source>
        <translation>no se encontró ningún dispositivo de sonido; se juega sin sonido</translation>
    </message>
    <message>
        <source>the sound device stopped working; playing on without sound</source>
        <translation>el dispositivo de sonido dejó de funcionar; se sigue jugando sin sonido</translation>
    </message>
    <message>
        <source>the sound server stopped taking the game&apos;s sound; its stream was opened again</source>
        <translation>el servidor de sonido dejó de aceptar el sonido del juego; su flujo se volvió a abrir</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>no display found: set DISPLAY or WAYLAND_DISPLAY, or start it from a desktop session</source>
        <translation>no se encontró ninguna pantalla: define DISPLAY o WAYLAND_DISPLAY, o abre el juego desde una sesión de escritorio</translation>
    </message>
</context>
<context>
    <name>Translations</name>
    <message>
        <source>en</source>
        <extracomment>The code of the language of this translation, as the name of its file has it (&quot;de&quot;, &quot;pt_BR&quot;). The race&apos;s pictures with words in them are chosen by it.</extracomment>
        <translation>es</translation>
    </message>
</context>
<context>
    <name>numblaze::MuteKey</name>
    <message>
        <source>Sound off</source>
        <translation>Sonido desactivado</translation>
    </message>
    <message>
        <source>Sound on</source>
        <translation>Sonido activado</translation>
    </message>
</context>
</TS>
