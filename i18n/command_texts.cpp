// The command line's help and errors in the ten languages, in UTF-8: they
// are only ever printed, and a pipe or a file takes them as they are.
#include "i18n/command_texts.h"

namespace {

using Texts = const char* const[kCommandTextCount];

const Texts kEnglish = {
    // Help: what each command does, then the exit codes
    "show, hide or switch hidden files\n"
    "show, hide or switch file extensions\n"
    "include protected system files, or not\n"
    "treat dot folders as hidden, or not\n"
    "print the current state\n"
    "end the running Veilux\n"
    "print this help\n"
    "print the version\n"
    "Exit code 0 means done, 1 not done, 2 a wrong command line.",
    "A value is missing after \"%1\".",  // MissingValue
    "Unexpected word \"%1\".",  // UnexpectedWord
    "Veilux is not running.",  // NotRunning
    "The running Veilux did not answer in time.",  // NoAnswer
    "The setting could not be changed.",  // NotDone
};

const Texts kSpanish = {
    // Help: what each command does, then the exit codes
    "muestra, oculta o alterna los archivos ocultos\n"
    "muestra, oculta o alterna las extensiones de archivo\n"
    "incluye o no los archivos protegidos del sistema\n"
    "trata o no como ocultas las carpetas que empiezan por punto\n"
    "muestra el estado actual\n"
    "cierra el Veilux en ejecución\n"
    "muestra esta ayuda\n"
    "muestra la versión\n"
    "Código de salida 0 si se hizo, 1 si no se hizo, 2 si la línea de comandos es incorrecta.",
    "Falta un valor después de «%1».",  // MissingValue
    "Sobra la palabra «%1».",  // UnexpectedWord
    "Veilux no se está ejecutando.",  // NotRunning
    "El Veilux en ejecución no respondió a tiempo.",  // NoAnswer
    "No se pudo cambiar la configuración.",  // NotDone
};

const Texts kPortuguese = {
    // Help: what each command does, then the exit codes
    "mostra, oculta ou alterna os arquivos ocultos\n"
    "mostra, oculta ou alterna as extensões de arquivos\n"
    "inclui ou não os arquivos protegidos do sistema\n"
    "trata ou não como ocultas as pastas que começam com ponto\n"
    "mostra o estado atual\n"
    "encerra o Veilux em execução\n"
    "mostra esta ajuda\n"
    "mostra a versão\n"
    "Código de saída 0 se foi feito, 1 se não foi feito, 2 se a linha de comando está incorreta.",
    "Falta um valor depois de \"%1\".",  // MissingValue
    "Palavra inesperada \"%1\".",  // UnexpectedWord
    "O Veilux não está em execução.",  // NotRunning
    "O Veilux em execução não respondeu a tempo.",  // NoAnswer
    "Não foi possível alterar a configuração.",  // NotDone
};

const Texts kGerman = {
    // Help: what each command does, then the exit codes
    "versteckte Dateien anzeigen, ausblenden oder umschalten\n"
    "Dateierweiterungen anzeigen, ausblenden oder umschalten\n"
    "geschützte Systemdateien einschließen oder nicht\n"
    "Ordner mit einem Punkt am Anfang als versteckt behandeln oder nicht\n"
    "aktuellen Zustand ausgeben\n"
    "laufendes Veilux beenden\n"
    "diese Hilfe ausgeben\n"
    "Version ausgeben\n"
    "Exitcode 0 erledigt, 1 nicht erledigt, 2 fehlerhafte Befehlszeile.",
    "Nach „%1“ fehlt ein Wert.",  // MissingValue
    "Unerwartetes Wort „%1“.",  // UnexpectedWord
    "Veilux läuft nicht.",  // NotRunning
    "Das laufende Veilux hat nicht rechtzeitig geantwortet.",  // NoAnswer
    "Die Einstellung konnte nicht geändert werden.",  // NotDone
};

const Texts kFrench = {
    // Help: what each command does, then the exit codes
    "affiche, masque ou inverse les fichiers cachés\n"
    "affiche, masque ou inverse les extensions de fichiers\n"
    "inclut ou non les fichiers système protégés\n"
    "traite ou non comme cachés les dossiers commençant par un point\n"
    "affiche l'état actuel\n"
    "quitte le Veilux en cours d'exécution\n"
    "affiche cette aide\n"
    "affiche la version\n"
    "Code de sortie 0 si c'est fait, 1 si ce n'est pas fait, 2 si la ligne de commande est incorrecte.",
    "Il manque une valeur après « %1 ».",  // MissingValue
    "Mot inattendu « %1 ».",  // UnexpectedWord
    "Veilux n'est pas en cours d'exécution.",  // NotRunning
    "Le Veilux en cours d'exécution n'a pas répondu à temps.",  // NoAnswer
    "Le réglage n'a pas pu être modifié.",  // NotDone
};

const Texts kItalian = {
    // Help: what each command does, then the exit codes
    "mostra, nasconde o inverte i file nascosti\n"
    "mostra, nasconde o inverte le estensioni dei file\n"
    "include o no i file di sistema protetti\n"
    "considera nascoste o no le cartelle che iniziano con un punto\n"
    "mostra lo stato attuale\n"
    "chiude il Veilux in esecuzione\n"
    "mostra questa guida\n"
    "mostra la versione\n"
    "Codice di uscita 0 se eseguito, 1 se non eseguito, 2 se la riga di comando è errata.",
    "Manca un valore dopo «%1».",  // MissingValue
    "Parola inattesa «%1».",  // UnexpectedWord
    "Veilux non è in esecuzione.",  // NotRunning
    "Il Veilux in esecuzione non ha risposto in tempo.",  // NoAnswer
    "Impossibile modificare l'impostazione.",  // NotDone
};

const Texts kChinese = {
    // Help: what each command does, then the exit codes
    "显示、隐藏或切换隐藏文件\n"
    "显示、隐藏或切换文件扩展名\n"
    "是否包含受保护的系统文件\n"
    "是否将以点开头的文件夹视为隐藏\n"
    "显示当前状态\n"
    "退出正在运行的 Veilux\n"
    "显示此帮助\n"
    "显示版本\n"
    "退出代码 0 表示已完成，1 表示未完成，2 表示命令行有误。",
    "“%1”后面缺少值。",  // MissingValue
    "多余的词“%1”。",  // UnexpectedWord
    "Veilux 未在运行。",  // NotRunning
    "正在运行的 Veilux 未及时响应。",  // NoAnswer
    "无法更改该设置。",  // NotDone
};

const Texts kRussian = {
    // Help: what each command does, then the exit codes
    "показать, скрыть или переключить скрытые файлы\n"
    "показать, скрыть или переключить расширения файлов\n"
    "включать ли защищённые системные файлы\n"
    "считать ли скрытыми папки, имена которых начинаются с точки\n"
    "вывести текущее состояние\n"
    "завершить запущенный Veilux\n"
    "вывести эту справку\n"
    "вывести версию\n"
    "Код выхода 0 — выполнено, 1 — не выполнено, 2 — ошибка в командной строке.",
    "После «%1» не хватает значения.",  // MissingValue
    "Лишнее слово «%1».",  // UnexpectedWord
    "Veilux не запущен.",  // NotRunning
    "Запущенный Veilux не ответил вовремя.",  // NoAnswer
    "Не удалось изменить настройку.",  // NotDone
};

const Texts kKorean = {
    // Help: what each command does, then the exit codes
    "숨김 파일 표시, 숨기기 또는 전환\n"
    "파일 확장명 표시, 숨기기 또는 전환\n"
    "보호된 시스템 파일 포함 여부\n"
    "점으로 시작하는 폴더를 숨김 항목으로 처리할지 여부\n"
    "현재 상태 출력\n"
    "실행 중인 Veilux 종료\n"
    "이 도움말 출력\n"
    "버전 출력\n"
    "종료 코드 0은 완료, 1은 완료되지 않음, 2는 잘못된 명령줄을 뜻합니다.",
    "\"%1\" 뒤에 값이 없습니다.",  // MissingValue
    "\"%1\"은(는) 예상하지 못한 단어입니다.",  // UnexpectedWord
    "Veilux가 실행 중이 아닙니다.",  // NotRunning
    "실행 중인 Veilux가 제때 응답하지 않았습니다.",  // NoAnswer
    "설정을 변경할 수 없습니다.",  // NotDone
};

const Texts kDutch = {
    // Help: what each command does, then the exit codes
    "verborgen bestanden weergeven, verbergen of omschakelen\n"
    "bestandsextensies weergeven, verbergen of omschakelen\n"
    "beveiligde systeembestanden wel of niet opnemen\n"
    "mappen die met een punt beginnen wel of niet als verborgen behandelen\n"
    "de huidige status tonen\n"
    "de actieve Veilux afsluiten\n"
    "deze help tonen\n"
    "de versie tonen\n"
    "Afsluitcode 0 bij succes, 1 als het niet is gelukt, 2 bij een onjuiste opdrachtregel.",
    "Na \"%1\" ontbreekt een waarde.",  // MissingValue
    "Onverwacht woord \"%1\".",  // UnexpectedWord
    "Veilux is niet actief.",  // NotRunning
    "De actieve Veilux heeft niet op tijd geantwoord.",  // NoAnswer
    "De instelling kon niet worden gewijzigd.",  // NotDone
};

const Texts* const kAll[kLanguageCount] = {&kEnglish, &kSpanish, &kPortuguese, &kGerman, &kFrench,
                                           &kItalian, &kChinese, &kRussian,    &kKorean, &kDutch};

}  // namespace

const char* CommandLineText(Language language, CommandText key) {
    return (*kAll[static_cast<int>(language)])[static_cast<int>(key)];
}
