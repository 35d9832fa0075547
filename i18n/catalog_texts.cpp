// The program's user-visible texts in its ten languages.
// Texts are stored exactly as shown, including deliberate details such as the
// trailing space of LinkGoToApp, the French space before colons and the
// full-width colon (U+FF1A) of the Chinese texts.
#include "i18n/catalog.h"

namespace {

using Texts = const wchar_t* const[kMessageKeyCount];

const Texts kEnglish = {
    L"Hidden files: VISIBLE",  // TipHiddenVisible
    L"Hidden files: HIDDEN",  // TipHiddenHidden
    L"Hidden and system files: VISIBLE",  // TipHiddenSystemVisible
    L"Show hidden files",  // MenuShowHidden
    L"Hide hidden files",  // MenuHideHidden
    L"Include protected system files",  // MenuIncludeSystem
    L"Show file extensions",  // MenuShowExtensions
    L"Hide file extensions",  // MenuHideExtensions
    L"Settings",  // MenuSettings
    L"User Guide",  // MenuUserGuide
    L"Exit",  // MenuExit
    L"Language Selector",  // SelectorTitle
    L"Run at Windows startup",  // SelectorRunAtStartup
    L"OK",  // SelectorAccept
    L"Cancel",  // SelectorCancel
    L"Go to Veilux ",  // LinkGoToApp
    L"Instagram",  // LinkInstagram
    L"Go to Orv Software",  // LinkGoToMaker
    L"Donate with PayPal",  // LinkDonate
    L"Veilux",  // BalloonStartedTitle
    L"Veilux has started and is running in the system tray.",  // BalloonStarted
    L"Update Available",  // BalloonUpdateTitle
    L"A new version of Veilux is available.\nClick to go to the downloads page",  // BalloonUpdateText
    L"Error",  // ErrorTitle
    L"Error initializing application",  // ErrorInit
    L"Application is already running.",  // ErrorAlreadyRunning
    L"Error registering window class",  // ErrorRegisterClass
    L"Error creating window",  // ErrorCreateWindow
    L"Error creating system tray icon",  // ErrorTrayIcon
    L"Keyboard shortcuts",  // MenuShortcuts
    L"Show or hide hidden files",  // ShortcutsHiddenLabel
    L"Show or hide file extensions",  // ShortcutsExtensionsLabel
    L"In use by another program",  // ShortcutsInUse
    L"Defaults",  // ShortcutsDefaults
    L"Treat dot folders as hidden",  // MenuDotFoldersHidden
    L"Add Ctrl or Alt",  // ShortcutsNeedsCtrlOrAlt
    L"Types a character on this keyboard",  // ShortcutsTypesCharacter
    L"Used by the other shortcut",  // ShortcutsUsedByOther
    L"Ctrl",  // KeyCtrl
    L"Alt",  // KeyAlt
    L"Shift",  // KeyShift
    // CliHelp
    L"Veilux from a command line. Without a command, the program starts as usual.\n\n"
    L"veilux hidden on|off|toggle       show, hide or switch hidden files\n"
    L"veilux extensions on|off|toggle   show, hide or switch file extensions\n"
    L"veilux protected on|off           include protected system files, or not\n"
    L"veilux dotfolders on|off          treat dot folders as hidden, or not\n"
    L"veilux status [--json]            print the current state\n"
    L"veilux exit                       end the running Veilux\n"
    L"veilux help                       print this help\n"
    L"veilux --version                  print the version\n"
    L"\nExit code 0 means done, 1 not done, 2 a wrong command line.",
    L"Unknown word \"%1\".",  // CliUnknownWord
    L"A value is missing after \"%1\".",  // CliMissingValue
    L"Unexpected word \"%1\".",  // CliExtraWord
    L"An argument is longer than 64 characters.",  // CliTooLong
    L"Veilux is not running.",  // CliNotRunning
    L"The running Veilux did not answer in time.",  // CliNoAnswer
    L"The setting could not be changed.",  // CliNotDone
};

const Texts kSpanish = {
    L"Archivos ocultos: VISIBLES",  // TipHiddenVisible
    L"Archivos ocultos: OCULTOS",  // TipHiddenHidden
    L"Archivos ocultos y de sistema: VISIBLES",  // TipHiddenSystemVisible
    L"Mostrar archivos ocultos",  // MenuShowHidden
    L"Ocultar archivos ocultos",  // MenuHideHidden
    L"Incluir archivos protegidos del sistema",  // MenuIncludeSystem
    L"Mostrar extensión de archivos",  // MenuShowExtensions
    L"Ocultar extensión de archivos",  // MenuHideExtensions
    L"Configuración",  // MenuSettings
    L"Guía de usuario",  // MenuUserGuide
    L"Salir",  // MenuExit
    L"Selector de idioma",  // SelectorTitle
    L"Ejecutar al iniciar Windows",  // SelectorRunAtStartup
    L"Aceptar",  // SelectorAccept
    L"Cancelar",  // SelectorCancel
    L"Ir a Veilux ",  // LinkGoToApp
    L"Instagram",  // LinkInstagram
    L"Ir a Orv Software",  // LinkGoToMaker
    L"Donar con PayPal",  // LinkDonate
    L"Veilux",  // BalloonStartedTitle
    L"Veilux se ha iniciado y está funcionando en la bandeja del sistema.",  // BalloonStarted
    L"Actualización disponible",  // BalloonUpdateTitle
    L"Hay una nueva versión de Veilux disponible.\nHaga clic para ir a la página de descargas",  // BalloonUpdateText
    L"Error",  // ErrorTitle
    L"Error inicializando la aplicación",  // ErrorInit
    L"La aplicación ya está ejecutándose.",  // ErrorAlreadyRunning
    L"Error al registrar la clase de ventana",  // ErrorRegisterClass
    L"Error al crear la ventana",  // ErrorCreateWindow
    L"Error al crear el icono en la bandeja del sistema",  // ErrorTrayIcon
    L"Métodos abreviados de teclado",  // MenuShortcuts
    L"Mostrar u ocultar archivos ocultos",  // ShortcutsHiddenLabel
    L"Mostrar u ocultar extensión de archivos",  // ShortcutsExtensionsLabel
    L"En uso por otro programa",  // ShortcutsInUse
    L"Restablecer",  // ShortcutsDefaults
    L"Tratar como ocultas las carpetas que empiezan por punto",  // MenuDotFoldersHidden
    L"Añada Ctrl o Alt",  // ShortcutsNeedsCtrlOrAlt
    L"Escribe un carácter en este teclado",  // ShortcutsTypesCharacter
    L"Lo usa el otro método abreviado",  // ShortcutsUsedByOther
    L"Ctrl",  // KeyCtrl
    L"Alt",  // KeyAlt
    L"Mayús",  // KeyShift
    // CliHelp
    L"Veilux desde la línea de comandos. Sin comando, el programa se inicia como siempre.\n\n"
    L"veilux hidden on|off|toggle       muestra, oculta o alterna los archivos ocultos\n"
    L"veilux extensions on|off|toggle   muestra, oculta o alterna las extensiones de archivo\n"
    L"veilux protected on|off           incluye o no los archivos protegidos del sistema\n"
    L"veilux dotfolders on|off          trata o no como ocultas las carpetas que empiezan por punto\n"
    L"veilux status [--json]            muestra el estado actual\n"
    L"veilux exit                       cierra el Veilux en ejecución\n"
    L"veilux help                       muestra esta ayuda\n"
    L"veilux --version                  muestra la versión\n"
    L"\nCódigo de salida 0 si se hizo, 1 si no se hizo, 2 si la línea de comandos es incorrecta.",
    L"Palabra desconocida «%1».",  // CliUnknownWord
    L"Falta un valor después de «%1».",  // CliMissingValue
    L"Sobra la palabra «%1».",  // CliExtraWord
    L"Un argumento tiene más de 64 caracteres.",  // CliTooLong
    L"Veilux no se está ejecutando.",  // CliNotRunning
    L"El Veilux en ejecución no respondió a tiempo.",  // CliNoAnswer
    L"No se pudo cambiar la configuración.",  // CliNotDone
};

const Texts kPortuguese = {
    L"Arquivos ocultos: VISÍVEIS",  // TipHiddenVisible
    L"Arquivos ocultos: OCULTOS",  // TipHiddenHidden
    L"Arquivos ocultos e de sistema: VISÍVEIS",  // TipHiddenSystemVisible
    L"Mostrar arquivos ocultos",  // MenuShowHidden
    L"Ocultar arquivos ocultos",  // MenuHideHidden
    L"Incluir arquivos protegidos do sistema",  // MenuIncludeSystem
    L"Mostrar extensões de arquivos",  // MenuShowExtensions
    L"Ocultar extensões de arquivos",  // MenuHideExtensions
    L"Configurações",  // MenuSettings
    L"Guia do usuário",  // MenuUserGuide
    L"Sair",  // MenuExit
    L"Seletor de idioma",  // SelectorTitle
    L"Executar na inicialização do Windows",  // SelectorRunAtStartup
    L"OK",  // SelectorAccept
    L"Cancelar",  // SelectorCancel
    L"Ir para Veilux ",  // LinkGoToApp
    L"Instagram",  // LinkInstagram
    L"Ir para Orv Software",  // LinkGoToMaker
    L"Doar com PayPal",  // LinkDonate
    L"Veilux",  // BalloonStartedTitle
    L"Veilux foi iniciado e está funcionando na bandeja do sistema.",  // BalloonStarted
    L"Atualização Disponível",  // BalloonUpdateTitle
    L"Uma nova versão do Veilux está disponível.\nClique para ir à página de downloads",  // BalloonUpdateText
    L"Erro",  // ErrorTitle
    L"Erro ao inicializar a aplicação",  // ErrorInit
    L"A aplicação já está em execução.",  // ErrorAlreadyRunning
    L"Erro ao registrar a classe da janela",  // ErrorRegisterClass
    L"Erro ao criar a janela",  // ErrorCreateWindow
    L"Erro ao criar o ícone na bandeja do sistema",  // ErrorTrayIcon
    L"Atalhos de teclado",  // MenuShortcuts
    L"Mostrar ou ocultar arquivos ocultos",  // ShortcutsHiddenLabel
    L"Mostrar ou ocultar extensões de arquivos",  // ShortcutsExtensionsLabel
    L"Em uso por outro programa",  // ShortcutsInUse
    L"Restaurar padrões",  // ShortcutsDefaults
    L"Tratar como ocultas as pastas que começam com ponto",  // MenuDotFoldersHidden
    L"Adicione Ctrl ou Alt",  // ShortcutsNeedsCtrlOrAlt
    L"Digita um caractere neste teclado",  // ShortcutsTypesCharacter
    L"Usado pelo outro atalho",  // ShortcutsUsedByOther
    L"Ctrl",  // KeyCtrl
    L"Alt",  // KeyAlt
    L"Shift",  // KeyShift
    // CliHelp
    L"Veilux pela linha de comando. Sem comando, o programa inicia como de costume.\n\n"
    L"veilux hidden on|off|toggle       mostra, oculta ou alterna os arquivos ocultos\n"
    L"veilux extensions on|off|toggle   mostra, oculta ou alterna as extensões de arquivos\n"
    L"veilux protected on|off           inclui ou não os arquivos protegidos do sistema\n"
    L"veilux dotfolders on|off          trata ou não como ocultas as pastas que começam com ponto\n"
    L"veilux status [--json]            mostra o estado atual\n"
    L"veilux exit                       encerra o Veilux em execução\n"
    L"veilux help                       mostra esta ajuda\n"
    L"veilux --version                  mostra a versão\n"
    L"\nCódigo de saída 0 se foi feito, 1 se não foi feito, 2 se a linha de comando está incorreta.",
    L"Palavra desconhecida \"%1\".",  // CliUnknownWord
    L"Falta um valor depois de \"%1\".",  // CliMissingValue
    L"Palavra inesperada \"%1\".",  // CliExtraWord
    L"Um argumento tem mais de 64 caracteres.",  // CliTooLong
    L"O Veilux não está em execução.",  // CliNotRunning
    L"O Veilux em execução não respondeu a tempo.",  // CliNoAnswer
    L"Não foi possível alterar a configuração.",  // CliNotDone
};

const Texts kGerman = {
    L"Versteckte Dateien: SICHTBAR",  // TipHiddenVisible
    L"Versteckte Dateien: VERSTECKT",  // TipHiddenHidden
    L"Versteckte und Systemdateien: SICHTBAR",  // TipHiddenSystemVisible
    L"Versteckte Dateien anzeigen",  // MenuShowHidden
    L"Versteckte Dateien ausblenden",  // MenuHideHidden
    L"Geschützte Systemdateien einschließen",  // MenuIncludeSystem
    L"Dateierweiterungen anzeigen",  // MenuShowExtensions
    L"Dateierweiterungen ausblenden",  // MenuHideExtensions
    L"Einstellungen",  // MenuSettings
    L"Benutzerhandbuch",  // MenuUserGuide
    L"Beenden",  // MenuExit
    L"Sprachauswahl",  // SelectorTitle
    L"Beim Windows-Start ausführen",  // SelectorRunAtStartup
    L"OK",  // SelectorAccept
    L"Abbrechen",  // SelectorCancel
    L"Zu Veilux gehen ",  // LinkGoToApp
    L"Instagram",  // LinkInstagram
    L"Zu Orv Software gehen",  // LinkGoToMaker
    L"Mit PayPal spenden",  // LinkDonate
    L"Veilux",  // BalloonStartedTitle
    L"Veilux wurde gestartet und läuft in der Taskleiste.",  // BalloonStarted
    L"Update verfügbar",  // BalloonUpdateTitle
    L"Eine neue Version von Veilux ist verfügbar.\nKlicken Sie, um zur Download-Seite zu gelangen",  // BalloonUpdateText
    L"Fehler",  // ErrorTitle
    L"Fehler beim Initialisieren der Anwendung",  // ErrorInit
    L"Die Anwendung läuft bereits.",  // ErrorAlreadyRunning
    L"Fehler beim Registrieren der Fensterklasse",  // ErrorRegisterClass
    L"Fehler beim Erstellen des Fensters",  // ErrorCreateWindow
    L"Fehler beim Erstellen des Taskleisten-Symbols",  // ErrorTrayIcon
    L"Tastenkombinationen",  // MenuShortcuts
    L"Versteckte Dateien anzeigen oder ausblenden",  // ShortcutsHiddenLabel
    L"Dateierweiterungen anzeigen oder ausblenden",  // ShortcutsExtensionsLabel
    L"Von einem anderen Programm belegt",  // ShortcutsInUse
    L"Standardwerte",  // ShortcutsDefaults
    L"Ordner, die mit einem Punkt beginnen, als versteckt behandeln",  // MenuDotFoldersHidden
    L"Strg oder Alt hinzufügen",  // ShortcutsNeedsCtrlOrAlt
    L"Gibt auf dieser Tastatur ein Zeichen ein",  // ShortcutsTypesCharacter
    L"Von der anderen Tastenkombination belegt",  // ShortcutsUsedByOther
    L"Strg",  // KeyCtrl
    L"Alt",  // KeyAlt
    L"Umschalt",  // KeyShift
    // CliHelp
    L"Veilux über die Befehlszeile. Ohne Befehl startet das Programm wie gewohnt.\n\n"
    L"veilux hidden on|off|toggle       versteckte Dateien anzeigen, ausblenden oder umschalten\n"
    L"veilux extensions on|off|toggle   Dateierweiterungen anzeigen, ausblenden oder umschalten\n"
    L"veilux protected on|off           geschützte Systemdateien einschließen oder nicht\n"
    L"veilux dotfolders on|off          Ordner mit einem Punkt am Anfang als versteckt behandeln oder nicht\n"
    L"veilux status [--json]            aktuellen Zustand ausgeben\n"
    L"veilux exit                       laufendes Veilux beenden\n"
    L"veilux help                       diese Hilfe ausgeben\n"
    L"veilux --version                  Version ausgeben\n"
    L"\nExitcode 0 erledigt, 1 nicht erledigt, 2 fehlerhafte Befehlszeile.",
    L"Unbekanntes Wort „%1“.",  // CliUnknownWord
    L"Nach „%1“ fehlt ein Wert.",  // CliMissingValue
    L"Unerwartetes Wort „%1“.",  // CliExtraWord
    L"Ein Argument ist länger als 64 Zeichen.",  // CliTooLong
    L"Veilux läuft nicht.",  // CliNotRunning
    L"Das laufende Veilux hat nicht rechtzeitig geantwortet.",  // CliNoAnswer
    L"Die Einstellung konnte nicht geändert werden.",  // CliNotDone
};

const Texts kFrench = {
    L"Fichiers cachés : VISIBLES",  // TipHiddenVisible
    L"Fichiers cachés : CACHÉS",  // TipHiddenHidden
    L"Fichiers cachés et système : VISIBLES",  // TipHiddenSystemVisible
    L"Afficher les fichiers cachés",  // MenuShowHidden
    L"Masquer les fichiers cachés",  // MenuHideHidden
    L"Inclure les fichiers système protégés",  // MenuIncludeSystem
    L"Afficher les extensions de fichiers",  // MenuShowExtensions
    L"Masquer les extensions de fichiers",  // MenuHideExtensions
    L"Paramètres",  // MenuSettings
    L"Guide utilisateur",  // MenuUserGuide
    L"Quitter",  // MenuExit
    L"Sélecteur de langue",  // SelectorTitle
    L"Exécuter au démarrage de Windows",  // SelectorRunAtStartup
    L"OK",  // SelectorAccept
    L"Annuler",  // SelectorCancel
    L"Aller à Veilux ",  // LinkGoToApp
    L"Instagram",  // LinkInstagram
    L"Aller à Orv Software",  // LinkGoToMaker
    L"Faire un don avec PayPal",  // LinkDonate
    L"Veilux",  // BalloonStartedTitle
    L"Veilux a été lancé et fonctionne dans la barre des tâches.",  // BalloonStarted
    L"Mise à jour disponible",  // BalloonUpdateTitle
    L"Une nouvelle version d'Veilux est disponible.\nCliquez pour aller à la page de téléchargements",  // BalloonUpdateText
    L"Erreur",  // ErrorTitle
    L"Erreur lors de l'initialisation de l'application",  // ErrorInit
    L"L'application est déjà en cours d'exécution.",  // ErrorAlreadyRunning
    L"Erreur lors de l'enregistrement de la classe de fenêtre",  // ErrorRegisterClass
    L"Erreur lors de la création de la fenêtre",  // ErrorCreateWindow
    L"Erreur lors de la création de l'icône dans la barre des tâches",  // ErrorTrayIcon
    L"Raccourcis clavier",  // MenuShortcuts
    L"Afficher ou masquer les fichiers cachés",  // ShortcutsHiddenLabel
    L"Afficher ou masquer les extensions de fichiers",  // ShortcutsExtensionsLabel
    L"Utilisé par un autre programme",  // ShortcutsInUse
    L"Par défaut",  // ShortcutsDefaults
    L"Traiter les dossiers commençant par un point comme cachés",  // MenuDotFoldersHidden
    L"Ajoutez Ctrl ou Alt",  // ShortcutsNeedsCtrlOrAlt
    L"Saisit un caractère sur ce clavier",  // ShortcutsTypesCharacter
    L"Utilisé par l'autre raccourci",  // ShortcutsUsedByOther
    L"Ctrl",  // KeyCtrl
    L"Alt",  // KeyAlt
    L"Maj",  // KeyShift
    // CliHelp
    L"Veilux en ligne de commande. Sans commande, le programme démarre comme d'habitude.\n\n"
    L"veilux hidden on|off|toggle       affiche, masque ou inverse les fichiers cachés\n"
    L"veilux extensions on|off|toggle   affiche, masque ou inverse les extensions de fichiers\n"
    L"veilux protected on|off           inclut ou non les fichiers système protégés\n"
    L"veilux dotfolders on|off          traite ou non comme cachés les dossiers commençant par un point\n"
    L"veilux status [--json]            affiche l'état actuel\n"
    L"veilux exit                       quitte le Veilux en cours d'exécution\n"
    L"veilux help                       affiche cette aide\n"
    L"veilux --version                  affiche la version\n"
    L"\nCode de sortie 0 si c'est fait, 1 si ce n'est pas fait, 2 si la ligne de commande est incorrecte.",
    L"Mot inconnu « %1 ».",  // CliUnknownWord
    L"Il manque une valeur après « %1 ».",  // CliMissingValue
    L"Mot inattendu « %1 ».",  // CliExtraWord
    L"Un argument dépasse 64 caractères.",  // CliTooLong
    L"Veilux n'est pas en cours d'exécution.",  // CliNotRunning
    L"Le Veilux en cours d'exécution n'a pas répondu à temps.",  // CliNoAnswer
    L"Le réglage n'a pas pu être modifié.",  // CliNotDone
};

const Texts kItalian = {
    L"File nascosti: VISIBILI",  // TipHiddenVisible
    L"File nascosti: NASCOSTI",  // TipHiddenHidden
    L"File nascosti e di sistema: VISIBILI",  // TipHiddenSystemVisible
    L"Mostra file nascosti",  // MenuShowHidden
    L"Nascondi file nascosti",  // MenuHideHidden
    L"Includi file di sistema protetti",  // MenuIncludeSystem
    L"Mostra estensione file",  // MenuShowExtensions
    L"Nascondi estensione file",  // MenuHideExtensions
    L"Impostazioni",  // MenuSettings
    L"Guida utente",  // MenuUserGuide
    L"Esci",  // MenuExit
    L"Selettore lingua",  // SelectorTitle
    L"Esegui all'avvio di Windows",  // SelectorRunAtStartup
    L"Accetta",  // SelectorAccept
    L"Annulla",  // SelectorCancel
    L"Vai a Veilux ",  // LinkGoToApp
    L"Instagram",  // LinkInstagram
    L"Vai a Orv Software",  // LinkGoToMaker
    L"Dona con PayPal",  // LinkDonate
    L"Veilux",  // BalloonStartedTitle
    L"Veilux è stato avviato ed è in esecuzione nella barra delle applicazioni.",  // BalloonStarted
    L"Aggiornamento disponibile",  // BalloonUpdateTitle
    L"È disponibile una nuova versione di Veilux.\nClicca per andare alla pagina dei download",  // BalloonUpdateText
    L"Errore",  // ErrorTitle
    L"Errore durante l'inizializzazione dell'applicazione",  // ErrorInit
    L"L'applicazione è già in esecuzione.",  // ErrorAlreadyRunning
    L"Errore durante la registrazione della classe finestra",  // ErrorRegisterClass
    L"Errore durante la creazione della finestra",  // ErrorCreateWindow
    L"Errore durante la creazione dell'icona nella barra delle applicazioni",  // ErrorTrayIcon
    L"Tasti di scelta rapida",  // MenuShortcuts
    L"Mostra o nascondi i file nascosti",  // ShortcutsHiddenLabel
    L"Mostra o nascondi estensione file",  // ShortcutsExtensionsLabel
    L"Utilizzato da un altro programma",  // ShortcutsInUse
    L"Predefiniti",  // ShortcutsDefaults
    L"Considera nascoste le cartelle che iniziano con un punto",  // MenuDotFoldersHidden
    L"Aggiungi Ctrl o Alt",  // ShortcutsNeedsCtrlOrAlt
    L"Digita un carattere su questa tastiera",  // ShortcutsTypesCharacter
    L"Utilizzato dall'altro tasto di scelta rapida",  // ShortcutsUsedByOther
    L"Ctrl",  // KeyCtrl
    L"Alt",  // KeyAlt
    L"Maiusc",  // KeyShift
    // CliHelp
    L"Veilux dalla riga di comando. Senza comando, il programma si avvia come di consueto.\n\n"
    L"veilux hidden on|off|toggle       mostra, nasconde o inverte i file nascosti\n"
    L"veilux extensions on|off|toggle   mostra, nasconde o inverte le estensioni dei file\n"
    L"veilux protected on|off           include o no i file di sistema protetti\n"
    L"veilux dotfolders on|off          considera nascoste o no le cartelle che iniziano con un punto\n"
    L"veilux status [--json]            mostra lo stato attuale\n"
    L"veilux exit                       chiude il Veilux in esecuzione\n"
    L"veilux help                       mostra questa guida\n"
    L"veilux --version                  mostra la versione\n"
    L"\nCodice di uscita 0 se eseguito, 1 se non eseguito, 2 se la riga di comando è errata.",
    L"Parola sconosciuta «%1».",  // CliUnknownWord
    L"Manca un valore dopo «%1».",  // CliMissingValue
    L"Parola inattesa «%1».",  // CliExtraWord
    L"Un argomento supera i 64 caratteri.",  // CliTooLong
    L"Veilux non è in esecuzione.",  // CliNotRunning
    L"Il Veilux in esecuzione non ha risposto in tempo.",  // CliNoAnswer
    L"Impossibile modificare l'impostazione.",  // CliNotDone
};

const Texts kChinese = {
    L"隐藏文件：可见",  // TipHiddenVisible
    L"隐藏文件：隐藏",  // TipHiddenHidden
    L"隐藏文件和系统文件：可见",  // TipHiddenSystemVisible
    L"显示隐藏文件",  // MenuShowHidden
    L"隐藏隐藏文件",  // MenuHideHidden
    L"包含受保护的系统文件",  // MenuIncludeSystem
    L"显示文件扩展名",  // MenuShowExtensions
    L"隐藏文件扩展名",  // MenuHideExtensions
    L"设置",  // MenuSettings
    L"用户指南",  // MenuUserGuide
    L"退出",  // MenuExit
    L"语言选择器",  // SelectorTitle
    L"在 Windows 启动时运行",  // SelectorRunAtStartup
    L"确定",  // SelectorAccept
    L"取消",  // SelectorCancel
    L"转到 Veilux ",  // LinkGoToApp
    L"Instagram",  // LinkInstagram
    L"转到 Orv Software",  // LinkGoToMaker
    L"通过 PayPal 捐赠",  // LinkDonate
    L"Veilux",  // BalloonStartedTitle
    L"Veilux 已启动并在系统托盘中运行。",  // BalloonStarted
    L"更新可用",  // BalloonUpdateTitle
    L"Veilux 有新版本可用。\n点击前往下载页面",  // BalloonUpdateText
    L"错误",  // ErrorTitle
    L"初始化应用程序时出错",  // ErrorInit
    L"应用程序已在运行。",  // ErrorAlreadyRunning
    L"注册窗口类时出错",  // ErrorRegisterClass
    L"创建窗口时出错",  // ErrorCreateWindow
    L"在系统托盘中创建图标时出错",  // ErrorTrayIcon
    L"键盘快捷键",  // MenuShortcuts
    L"显示或隐藏隐藏文件",  // ShortcutsHiddenLabel
    L"显示或隐藏文件扩展名",  // ShortcutsExtensionsLabel
    L"已被其他程序占用",  // ShortcutsInUse
    L"默认值",  // ShortcutsDefaults
    L"将以点开头的文件夹视为隐藏",  // MenuDotFoldersHidden
    L"请添加 Ctrl 或 Alt",  // ShortcutsNeedsCtrlOrAlt
    L"在此键盘上会输入字符",  // ShortcutsTypesCharacter
    L"已被另一个快捷键使用",  // ShortcutsUsedByOther
    L"Ctrl",  // KeyCtrl
    L"Alt",  // KeyAlt
    L"Shift",  // KeyShift
    // CliHelp
    L"从命令行使用 Veilux。不带命令时，程序照常启动。\n\n"
    L"veilux hidden on|off|toggle       显示、隐藏或切换隐藏文件\n"
    L"veilux extensions on|off|toggle   显示、隐藏或切换文件扩展名\n"
    L"veilux protected on|off           是否包含受保护的系统文件\n"
    L"veilux dotfolders on|off          是否将以点开头的文件夹视为隐藏\n"
    L"veilux status [--json]            显示当前状态\n"
    L"veilux exit                       退出正在运行的 Veilux\n"
    L"veilux help                       显示此帮助\n"
    L"veilux --version                  显示版本\n"
    L"\n退出代码 0 表示已完成，1 表示未完成，2 表示命令行有误。",
    L"未知的词“%1”。",  // CliUnknownWord
    L"“%1”后面缺少值。",  // CliMissingValue
    L"多余的词“%1”。",  // CliExtraWord
    L"有参数超过 64 个字符。",  // CliTooLong
    L"Veilux 未在运行。",  // CliNotRunning
    L"正在运行的 Veilux 未及时响应。",  // CliNoAnswer
    L"无法更改该设置。",  // CliNotDone
};

const Texts kRussian = {
    L"Скрытые файлы: ВИДИМЫЕ",  // TipHiddenVisible
    L"Скрытые файлы: СКРЫТЫЕ",  // TipHiddenHidden
    L"Скрытые и системные файлы: ВИДИМЫЕ",  // TipHiddenSystemVisible
    L"Показать скрытые файлы",  // MenuShowHidden
    L"Скрыть скрытые файлы",  // MenuHideHidden
    L"Включить защищённые системные файлы",  // MenuIncludeSystem
    L"Показать расширения файлов",  // MenuShowExtensions
    L"Скрыть расширения файлов",  // MenuHideExtensions
    L"Настройки",  // MenuSettings
    L"Руководство пользователя",  // MenuUserGuide
    L"Выход",  // MenuExit
    L"Выбор языка",  // SelectorTitle
    L"Запускать при загрузке Windows",  // SelectorRunAtStartup
    L"ОК",  // SelectorAccept
    L"Отмена",  // SelectorCancel
    L"Перейти к Veilux ",  // LinkGoToApp
    L"Instagram",  // LinkInstagram
    L"Перейти к Orv Software",  // LinkGoToMaker
    L"Пожертвовать через PayPal",  // LinkDonate
    L"Veilux",  // BalloonStartedTitle
    L"Veilux запущен и работает в системном трее.",  // BalloonStarted
    L"Доступно обновление",  // BalloonUpdateTitle
    L"Доступна новая версия Veilux.\nНажмите, чтобы перейти на страницу загрузок",  // BalloonUpdateText
    L"Ошибка",  // ErrorTitle
    L"Ошибка инициализации приложения",  // ErrorInit
    L"Приложение уже запущено.",  // ErrorAlreadyRunning
    L"Ошибка регистрации класса окна",  // ErrorRegisterClass
    L"Ошибка создания окна",  // ErrorCreateWindow
    L"Ошибка создания значка в системном трее",  // ErrorTrayIcon
    L"Сочетания клавиш",  // MenuShortcuts
    L"Показать или скрыть скрытые файлы",  // ShortcutsHiddenLabel
    L"Показать или скрыть расширения файлов",  // ShortcutsExtensionsLabel
    L"Используется другой программой",  // ShortcutsInUse
    L"По умолчанию",  // ShortcutsDefaults
    L"Считать скрытыми папки, имена которых начинаются с точки",  // MenuDotFoldersHidden
    L"Добавьте Ctrl или Alt",  // ShortcutsNeedsCtrlOrAlt
    L"Вводит символ на этой клавиатуре",  // ShortcutsTypesCharacter
    L"Используется другим сочетанием клавиш",  // ShortcutsUsedByOther
    L"Ctrl",  // KeyCtrl
    L"Alt",  // KeyAlt
    L"Shift",  // KeyShift
    // CliHelp
    L"Veilux из командной строки. Без команды программа запускается как обычно.\n\n"
    L"veilux hidden on|off|toggle       показать, скрыть или переключить скрытые файлы\n"
    L"veilux extensions on|off|toggle   показать, скрыть или переключить расширения файлов\n"
    L"veilux protected on|off           включать ли защищённые системные файлы\n"
    L"veilux dotfolders on|off          считать ли скрытыми папки, имена которых начинаются с точки\n"
    L"veilux status [--json]            вывести текущее состояние\n"
    L"veilux exit                       завершить запущенный Veilux\n"
    L"veilux help                       вывести эту справку\n"
    L"veilux --version                  вывести версию\n"
    L"\nКод выхода 0 — выполнено, 1 — не выполнено, 2 — ошибка в командной строке.",
    L"Неизвестное слово «%1».",  // CliUnknownWord
    L"После «%1» не хватает значения.",  // CliMissingValue
    L"Лишнее слово «%1».",  // CliExtraWord
    L"Аргумент длиннее 64 символов.",  // CliTooLong
    L"Veilux не запущен.",  // CliNotRunning
    L"Запущенный Veilux не ответил вовремя.",  // CliNoAnswer
    L"Не удалось изменить настройку.",  // CliNotDone
};

const Texts kKorean = {
    L"숨김 파일: 표시",  // TipHiddenVisible
    L"숨김 파일: 숨김",  // TipHiddenHidden
    L"숨김 파일 및 시스템 파일: 표시",  // TipHiddenSystemVisible
    L"숨김 파일 표시",  // MenuShowHidden
    L"숨김 파일 숨기기",  // MenuHideHidden
    L"보호된 시스템 파일 포함",  // MenuIncludeSystem
    L"파일 확장명 표시",  // MenuShowExtensions
    L"파일 확장명 숨기기",  // MenuHideExtensions
    L"설정",  // MenuSettings
    L"사용자 가이드",  // MenuUserGuide
    L"종료",  // MenuExit
    L"언어 선택기",  // SelectorTitle
    L"Windows 시작 시 실행",  // SelectorRunAtStartup
    L"확인",  // SelectorAccept
    L"취소",  // SelectorCancel
    L"Veilux으로 이동 ",  // LinkGoToApp
    L"Instagram",  // LinkInstagram
    L"Orv Software로 이동",  // LinkGoToMaker
    L"PayPal로 기부하기",  // LinkDonate
    L"Veilux",  // BalloonStartedTitle
    L"Veilux이 시작되어 시스템 트레이에서 실행 중입니다.",  // BalloonStarted
    L"업데이트 사용 가능",  // BalloonUpdateTitle
    L"새로운 Veilux 버전이 사용 가능합니다.\n다운로드 페이지로 이동하려면 클릭하세요",  // BalloonUpdateText
    L"오류",  // ErrorTitle
    L"애플리케이션 초기화 중 오류",  // ErrorInit
    L"애플리케이션이 이미 실행 중입니다.",  // ErrorAlreadyRunning
    L"윈도우 클래스 등록 중 오류",  // ErrorRegisterClass
    L"윈도우 생성 중 오류",  // ErrorCreateWindow
    L"시스템 트레이 아이콘 생성 중 오류",  // ErrorTrayIcon
    L"바로 가기 키",  // MenuShortcuts
    L"숨김 파일 표시 또는 숨기기",  // ShortcutsHiddenLabel
    L"파일 확장명 표시 또는 숨기기",  // ShortcutsExtensionsLabel
    L"다른 프로그램에서 사용 중",  // ShortcutsInUse
    L"기본값",  // ShortcutsDefaults
    L"점으로 시작하는 폴더를 숨김 항목으로 처리",  // MenuDotFoldersHidden
    L"Ctrl 또는 Alt를 추가하세요",  // ShortcutsNeedsCtrlOrAlt
    L"이 키보드에서 문자를 입력합니다",  // ShortcutsTypesCharacter
    L"다른 바로 가기 키에서 사용 중",  // ShortcutsUsedByOther
    L"Ctrl",  // KeyCtrl
    L"Alt",  // KeyAlt
    L"Shift",  // KeyShift
    // CliHelp
    L"명령줄에서 Veilux를 사용합니다. 명령 없이 실행하면 프로그램이 평소처럼 시작됩니다.\n\n"
    L"veilux hidden on|off|toggle       숨김 파일 표시, 숨기기 또는 전환\n"
    L"veilux extensions on|off|toggle   파일 확장명 표시, 숨기기 또는 전환\n"
    L"veilux protected on|off           보호된 시스템 파일 포함 여부\n"
    L"veilux dotfolders on|off          점으로 시작하는 폴더를 숨김 항목으로 처리할지 여부\n"
    L"veilux status [--json]            현재 상태 출력\n"
    L"veilux exit                       실행 중인 Veilux 종료\n"
    L"veilux help                       이 도움말 출력\n"
    L"veilux --version                  버전 출력\n"
    L"\n종료 코드 0은 완료, 1은 완료되지 않음, 2는 잘못된 명령줄을 뜻합니다.",
    L"\"%1\"은(는) 알 수 없는 단어입니다.",  // CliUnknownWord
    L"\"%1\" 뒤에 값이 없습니다.",  // CliMissingValue
    L"\"%1\"은(는) 예상하지 못한 단어입니다.",  // CliExtraWord
    L"64자보다 긴 인수가 있습니다.",  // CliTooLong
    L"Veilux가 실행 중이 아닙니다.",  // CliNotRunning
    L"실행 중인 Veilux가 제때 응답하지 않았습니다.",  // CliNoAnswer
    L"설정을 변경할 수 없습니다.",  // CliNotDone
};

const Texts kDutch = {
    L"Verborgen bestanden: ZICHTBAAR",  // TipHiddenVisible
    L"Verborgen bestanden: VERBORGEN",  // TipHiddenHidden
    L"Verborgen en systeembestanden: ZICHTBAAR",  // TipHiddenSystemVisible
    L"Verborgen bestanden weergeven",  // MenuShowHidden
    L"Verborgen bestanden verbergen",  // MenuHideHidden
    L"Beveiligde systeembestanden opnemen",  // MenuIncludeSystem
    L"Bestandsextensies weergeven",  // MenuShowExtensions
    L"Bestandsextensies verbergen",  // MenuHideExtensions
    L"Instellingen",  // MenuSettings
    L"Gebruikershandleiding",  // MenuUserGuide
    L"Afsluiten",  // MenuExit
    L"Taalkiezer",  // SelectorTitle
    L"Uitvoeren bij opstarten van Windows",  // SelectorRunAtStartup
    L"OK",  // SelectorAccept
    L"Annuleren",  // SelectorCancel
    L"Ga naar Veilux ",  // LinkGoToApp
    L"Instagram",  // LinkInstagram
    L"Ga naar Orv Software",  // LinkGoToMaker
    L"Doneren via PayPal",  // LinkDonate
    L"Veilux",  // BalloonStartedTitle
    L"Veilux is gestart en draait in het systeemvak.",  // BalloonStarted
    L"Update beschikbaar",  // BalloonUpdateTitle
    L"Er is een nieuwe versie van Veilux beschikbaar.\nKlik om naar de downloadpagina te gaan",  // BalloonUpdateText
    L"Fout",  // ErrorTitle
    L"Fout bij het initialiseren van de toepassing",  // ErrorInit
    L"De toepassing wordt al uitgevoerd.",  // ErrorAlreadyRunning
    L"Fout bij het registreren van de vensterklasse",  // ErrorRegisterClass
    L"Fout bij het maken van het venster",  // ErrorCreateWindow
    L"Fout bij het maken van het pictogram in het systeemvak",  // ErrorTrayIcon
    L"Sneltoetsen",  // MenuShortcuts
    L"Verborgen bestanden weergeven of verbergen",  // ShortcutsHiddenLabel
    L"Bestandsextensies weergeven of verbergen",  // ShortcutsExtensionsLabel
    L"In gebruik door een ander programma",  // ShortcutsInUse
    L"Standaardwaarden",  // ShortcutsDefaults
    L"Mappen die met een punt beginnen als verborgen behandelen",  // MenuDotFoldersHidden
    L"Voeg Ctrl of Alt toe",  // ShortcutsNeedsCtrlOrAlt
    L"Typt een teken op dit toetsenbord",  // ShortcutsTypesCharacter
    L"In gebruik door de andere sneltoets",  // ShortcutsUsedByOther
    L"Ctrl",  // KeyCtrl
    L"Alt",  // KeyAlt
    L"Shift",  // KeyShift
    // CliHelp
    L"Veilux vanaf de opdrachtregel. Zonder opdracht start het programma zoals gewoonlijk.\n\n"
    L"veilux hidden on|off|toggle       verborgen bestanden weergeven, verbergen of omschakelen\n"
    L"veilux extensions on|off|toggle   bestandsextensies weergeven, verbergen of omschakelen\n"
    L"veilux protected on|off           beveiligde systeembestanden wel of niet opnemen\n"
    L"veilux dotfolders on|off          mappen die met een punt beginnen wel of niet als verborgen behandelen\n"
    L"veilux status [--json]            de huidige status tonen\n"
    L"veilux exit                       de actieve Veilux afsluiten\n"
    L"veilux help                       deze help tonen\n"
    L"veilux --version                  de versie tonen\n"
    L"\nAfsluitcode 0 bij succes, 1 als het niet is gelukt, 2 bij een onjuiste opdrachtregel.",
    L"Onbekend woord \"%1\".",  // CliUnknownWord
    L"Na \"%1\" ontbreekt een waarde.",  // CliMissingValue
    L"Onverwacht woord \"%1\".",  // CliExtraWord
    L"Een argument is langer dan 64 tekens.",  // CliTooLong
    L"Veilux is niet actief.",  // CliNotRunning
    L"De actieve Veilux heeft niet op tijd geantwoord.",  // CliNoAnswer
    L"De instelling kon niet worden gewijzigd.",  // CliNotDone
};

const Texts* const kTextsByLanguage[kLanguageCount] = {
    &kEnglish, &kSpanish, &kPortuguese, &kGerman, &kFrench, &kItalian, &kChinese, &kRussian, &kKorean, &kDutch,
};

}  // namespace

const wchar_t* CatalogText(Language language, MessageKey key) {
    return (*kTextsByLanguage[static_cast<int>(language)])[static_cast<int>(key)];
}
