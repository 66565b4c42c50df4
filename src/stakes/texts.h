#pragma once

// Texts of the stake store.

namespace korvane::texts {

inline constexpr const char* StakesNotOpen = "Файл ставок не открыт!";
inline constexpr const char* StakeIndexNotFound =
    "Запись со индексом %d в файле данных не найдена!";
inline constexpr const char* StakeReadError = "Ошибка чтения записи из файла ставок!\n\n%s";
inline constexpr const char* StakeAppendError = "Ошибка добавления записи в файл ставок!\n\n%s";
inline constexpr const char* StakeFindError = "Ошибка поиска записи в файле ставок!\n\n%s";
inline constexpr const char* StakeCountError =
    "Ошибка поиска записи по номеру тиража в файле ставок!\n\n%s";
inline constexpr const char* StakesCheckError = "Ошибка проверки ставок!\n\n%s";
inline constexpr const char* StakeDeleteError = "Ошибка удаления записи из файла ставок!\n\n%s";
inline constexpr const char* StakeRenameError =
    "Ошибка переименования / удаления временного файла ставок %s!\n\n%s";
inline constexpr const char* CheckedStakeAppend =
    "Добавление в конец файла уже проверенной ставки!";
inline constexpr const char* OldStakeFile =
    "Обнаружен файл ставок устаревшей версии - имеющиеся в файле ставки будут удалены!";
inline constexpr const char* StakeFileBackup = "Копия прежнего файла сохранена: \"%s\".";
inline constexpr const char* TornStakeFile =
    "Файл ставок заканчивается неполной записью (%lld байт), вероятно из-за прерванной записи. "
    "Неполная запись удалена, все целые ставки сохранены. Копия прежнего файла: \"%s\".";
inline constexpr const char* LoadingStakes = "Загрузка файла ставок...";
inline constexpr const char* CheckingStakes = "Проверка результатов ставок...";
inline constexpr const char* CheckingStakesProgress =
    "Проверка результатов ставок ( завершено %.0f %% )...";
inline constexpr const char* MakingStake = "Создание ставки...";
inline constexpr const char* MakingStakes = "Создание ставок...";
inline constexpr const char* PanelStakes = "Ставок: %d";
inline constexpr const char* StakeLogLine =
    "Тираж № %s. Ставка: \"%s\" [%s] {%d}. Результаты тиража: [%s]. Совпадений: %d. "
    "Профит: %s.";
inline constexpr const char* UnfinishedBatch =
    "Добавление пакета ставок было прервано: его записи (%lld) удалены из файла ставок.";
inline constexpr const char* FileDeleteError = "Ошибка удаления файла \"%s\"!\n\n%s";
inline constexpr const char* FileWriteError = "Ошибка записи в файл \"%s\"!\n\n%s";
inline constexpr const char* NoLogFiles = "Файлы журналов не найдены!";
inline constexpr const char* SearchingLogs = "Поиск файлов журналов...";
inline constexpr const char* LogsDeleted = "Удаление файлов журналов\n\nУдалено файлов: %d";
inline constexpr const char* LogsNotDeleted =
    "Удаление файлов журналов\n\nУдалено файлов: %d, не удалось удалить: %d";
inline constexpr const char* ManualComment = "Ставка \"вручную\"";
inline constexpr const char* NeedComment = "Необходимо ввести комментарий!";

// The stakes grid.
inline constexpr const char* StakeColumns[9] = {
    "№ тиража",   "Вид ставки", "Моя ставка", "Выборка",    "Результаты тиража",
    "Совпадений", "Совпадения", "Профит",     "Комментарий"};

// Dialogs.
inline constexpr const char* StakeDialogTitle = "Добавление ставки";
inline constexpr const char* MultiStakeTitle = "Добавление мультиставки";
inline constexpr const char* ConditionTitle = "Удаление по условию";
inline constexpr const char* ConditionOps[5] = {"Равно [ = ]", "Более [ > ]", "Не менее [ >= ]",
                                                "Менее [ < ]", "Не более [ <= ]"};

}  // namespace korvane::texts
