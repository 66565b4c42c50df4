#pragma once

// Texts of the lottery core: messages and captions exactly as the program shows them.

namespace korvane::texts {

inline constexpr const char* MainCaption = "Анализ статистики лотереи \"Florida PICK 3\"";
inline constexpr const char* BadComb = "Некорректная комбинация: \"%s\"!";
inline constexpr const char* DrawDescription = "Тираж № %d от %s, значения: %s";
inline constexpr const char* BadDrawDate = "Некорректная дата тиража: \"%s\"!";

// Stake kinds.
inline constexpr const char* StakeKindManual = "Вручную";
inline constexpr const char* StakeKindRegular = "Регуляр";
inline constexpr const char* StakeKindScenario = "Сценарий";
inline constexpr const char* StakeKindSystem = "Система";

// Archive.
inline constexpr const char* LoadingDraws = "Загрузка файла тиражей...";
inline constexpr const char* SavingDraws = "Сохранение файла тиражей...";
inline constexpr const char* DrawsReadError = "Ошибка чтения файла тиражей!\n\n%s";
inline constexpr const char* DrawsWriteError = "Ошибка записи в файл тиражей!\n\n%s";
inline constexpr const char* DrawIndexNotFound = "Запись со индексом %d в файле данных не найдена!";
inline constexpr const char* DeletingDraws = "Удаление выделенных тиражей....";
inline constexpr const char* AskDeleteOne = "Удалить выделенную запись?";
inline constexpr const char* AskDeleteMany =
    "Удалить все выделенные записи (всего будет удалено %d записи(ей))?";
inline constexpr const char* PanelArchive = "Архив тиражей: %d";
inline constexpr const char* PanelNextDraw = "Следующий тираж: %d";
inline constexpr const char* ArchiveNotLoaded =
    "Файл тиражей прочитан с ошибкой и не будет перезаписан, чтобы не потерять данные. "
    "Исправьте или замените файл \"%s\" и перезапустите программу.";
inline constexpr const char* BadDrawRecord =
    "Некорректная запись № %d в файле тиражей (смещение %lld): %s";

// Draw details.
inline constexpr const char* InfoDrawNumber = "Номер тиража:";
inline constexpr const char* InfoDrawDate = "Дата тиража:";

// Archive list columns.
inline constexpr const char* ColDrawNumber = "Тираж";
inline constexpr const char* ColSum = "S";
inline constexpr const char* ColDrawDate = "Дата тиража";

// Draw entry and CSV.
inline constexpr const char* DrawDialogCaption = "Введите данные следующего тиража";
inline constexpr const char* BadDrawNumbers = "Введена некорректная комбинация!";
inline constexpr const char* ImportingDraws = "Импорт тиражей из файла \"%s\"...";
inline constexpr const char* ExportingDraws = "Экспорт тиражей в файл \"%s\"...";
inline constexpr const char* CsvFilter = "Файлы тиражей (*.csv)|*.csv";

// Settings.
inline constexpr const char* LoadingConfig = "Загрузка файла конфигурации...";
inline constexpr const char* SavingConfig = "Сохранение файла конфигурации...";
inline constexpr const char* ConfigReadError = "Ошибка чтения файла конфигурации!\n\n%s";
inline constexpr const char* ConfigWriteError = "Ошибка записи в файл конфигурации!\n\n%s";
inline constexpr const char* ViewReadError = "Ошибка загрузки параметров программы!\n\n%s";
inline constexpr const char* StartupError = "Ошибка запуска программы!\n\n%s";
inline constexpr const char* InitError = "Ошибка инициализации программы!\n\n%s";
inline constexpr const char* Initialising = "Инициализация...";
inline constexpr const char* StakesReadError = "Ошибка чтения файла ставок!\n\n%s";
inline constexpr const char* StakesWriteError = "Ошибка записи в файл ставок!\n\n%s";
inline constexpr const char* SavingStakes = "Сохранение файла ставок...";
inline constexpr const char* NoExclusiveAccess =
    "Невозможно получить монопольный доступ к файлам данных!\n\n"
    "Возможные причины данной ошибки: \n\n"
    "1) Вы пытаетесь запустить вторую копию программы из одного и того же каталога. "
    "Корректная работа нескольких копий программы возможна только из разных каталогов.\n\n"
    "2) У программы нет прав на запись в каталог данных. Дайте права на запись в этот каталог "
    "или укажите другой каталог (--data-dir).\n\n"
    "Программа будет закрыта!";
inline constexpr const char* FolderHeld =
    "Каталог данных %s занят: с ним работает другая копия программы. Команда, изменяющая "
    "данные, не выполнена.";
inline constexpr const char* BadSegmentValue =
    "Некорректное значение: %s!\n\nУкажите любое число от 1 до 9";

}  // namespace korvane::texts
