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
inline constexpr const char* SystemPlayAll = "Системная игра для %d чисел [вся система]: %s";
inline constexpr const char* SystemPlayCombs = "Системная игра для %d чисел [комбинации]: %s";
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

// Regular stakes
inline constexpr const char* RegularDefaultName = "Регулярная ставка";
inline constexpr const char* RegularNumberedName = "%s (%d)";
inline constexpr const char* TableNameExists =
    "Запись с таким комментарией уже присутствует в списке!\nВыберите другой комментарий.";
inline constexpr const char* BadTableRecord =
    "Некорректная запись № %d в файле регулярных ставок: %s";
inline constexpr const char* BadTableData = "Некорректные данные регулярной ставки: %s";
inline constexpr const char* TableBadFromDraw = "признак источника комбинации не 0 и не 1";
inline constexpr const char* TableBadStart = "число стартовой комбинации вне диапазона 0..9";
inline constexpr const char* TableBadCurrent = "число текущей комбинации вне диапазона 0..9";
inline constexpr const char* TableBadStep = "шаг вне диапазона -9..9";
inline constexpr const char* TableBadStakes = "отрицательное число ставок";
inline constexpr const char* TableTornRecord = "неполная запись (%d байт)";

// Ratings
inline constexpr const char* RatingColumns[16] = {
    "Комментарий", "Ставок", "Угадано", "Среднее", "Профит", "Ср. профит", "0",          "1",
    "2",           "3",      "E0",      "E1",      "E2",     "E3",         "p(Угадано)", "p(3)"};
inline constexpr const char* RatingPMatchedHint =
    "Вероятность того, что одна случайность дала бы на этих ставках не меньше угаданных "
    "позиций; ставки считаются независимыми, что точно, когда в строке одна ставка на тираж "
    "(режимы ставок FIRST, LAST, RAND), и приближённо, когда на один тираж приходится "
    "несколько ставок.";
inline constexpr const char* RatingPWinsHint =
    "Вероятность того, что одна случайность дала бы на этих ставках не меньше выигрышей с 3 "
    "совпадениями; ставки считаются независимыми, что точно, когда в строке одна ставка на "
    "тираж (режимы ставок FIRST, LAST, RAND), и приближённо, когда на один тираж приходится "
    "несколько ставок.";
inline constexpr const char* RatingBadRecord = "Некорректная запись № %d в файле рейтинга: %s";
inline constexpr const char* RatingNegativeStakes = "отрицательное число ставок (%d)";
inline constexpr const char* RatingBadMatched = "число угаданных (%d) вне диапазона 0..%lld";
inline constexpr const char* RatingBadCounter =
    "число ставок с числом совпадений %d (%d) вне диапазона 0..%d";
inline constexpr const char* RatingBadCounterSum =
    "сумма чисел ставок по совпадениям (%lld) не равна числу ставок (%d)";
inline constexpr const char* RatingTornRecord = "неполная запись (%lld байт из %d)";
inline constexpr const char* ChartTooFewDraws =
    "Для построения графиков необходимо, чтобы в выделенном диапазоне данных было более "
    "одного тиража!";
inline constexpr const char* ChartDrawProfit = "Суммарный профит ставок по тиражу";
inline constexpr const char* ChartAverage = "Среднее значение";
inline constexpr const char* ChartAccumulated = "Накопленное значение";
inline constexpr const char* ChartNormalValues = "Нормальные значения";

// The ratings and the regulars as the window and the command line work them.
inline constexpr const char* PanelRatings = "Рейтинг: %d";
inline constexpr const char* LoadingRatings = "Загрузка файла рейтинга...";
inline constexpr const char* SavingRatings = "Сохранение файла рейтинга...";
inline constexpr const char* SortingRatings = "Сортировка рейтинга...";
inline constexpr const char* RefreshingRatings = "Обновление рейтинга...";
inline constexpr const char* RatingsReadError = "Ошибка чтения файла рейтинга!\n\n%s";
inline constexpr const char* RatingsWriteError = "Ошибка записи в файл рейтинга!\n\n%s";
inline constexpr const char* RatingsRefreshError = "Ошибка обновления рейтинга!\n\n%s";
inline constexpr const char* AskRatingsRefresh =
    "Пересчитать рейтинг только по текущим ставкам?\n\nНакопленные ранее данные по удаленным "
    "ставкам будут потеряны.";
inline constexpr const char* RatingsCopyKept =
    "Файл рейтинга был прочитан с ошибкой: перед его перезаписью копия сохранена в файле "
    "\"%s\".";
inline constexpr const char* ExportingCsv = "Экспорт в CSV-файл...";
inline constexpr const char* MakingScriptLines = "Генерация новых строк в сценарии...";
inline constexpr const char* RatingLineRefused = "Строку\n\n%s\n\nневозможно добавить в сценарий!";
inline constexpr const char* LoadingTables = "Загрузка файла регулярных ставок...";
inline constexpr const char* SavingTables = "Сохранение файла регулярных ставок...";
inline constexpr const char* TablesReadError = "Ошибка чтения файла регулярных ставок!\n\n%s";
inline constexpr const char* TablesWriteError = "Ошибка записи в файл регулярных ставок!\n\n%s";
inline constexpr const char* MakingTables = "Создание регулярных ставок...";
inline constexpr const char* DeletingTables = "Удаление регулярных ставок...";
inline constexpr const char* TablesTesting = "Создание ставок по регулярным табличным ставкам...";

}  // namespace korvane::texts
