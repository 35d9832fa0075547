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
};

const Texts* const kTextsByLanguage[kLanguageCount] = {
    &kEnglish, &kSpanish, &kPortuguese, &kGerman, &kFrench, &kItalian, &kChinese, &kRussian, &kKorean, &kDutch,
};

}  // namespace

const wchar_t* CatalogText(Language language, MessageKey key) {
    return (*kTextsByLanguage[static_cast<int>(language)])[static_cast<int>(key)];
}
