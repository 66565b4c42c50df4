#pragma once

// Texts of the scenario engine.

namespace korvane::texts {

inline constexpr const char* OptionError = "# ERROR #";
inline constexpr const char* StartListTexts[3] = {
    "Исходный список (рекомендуется для тестов)", "Удалить N последних тиражей (для прогнозов)",
    "Текущий список (для последовательного выполнения)"};
inline constexpr const char* StartListShort[3] = {"Исходный список", "Исключить %d тиражей",
                                                  "Текущий список"};
inline constexpr const char* StakeModeTexts[9] = {
    "Выбрать одну случайную комбинацию",
    "Выбрать первую комбинацию в списке",
    "Выбрать последнюю комбинацию в списке",
    "Выбрать все комбинации (не рекомендуется)",
    "Системная игра [вся система]",
    "Системная игра [система * комбинации]",
    "Остановить выполнение сценария",
    "Пропустить (игнорировать) эту ставку",
    "Не делать ставок (для последовательного выполнения)"};
inline constexpr const char* StakeModeShort[9] = {
    "Случайно",   "Первая",     "Последняя",       "Все", "Система [все]", "Система [комб]",
    "Остановить", "Пропустить", "Не делать ставок"};
inline constexpr const char* DeleteStakesShort = "Удалить ставки";
inline constexpr const char* NewStakesOnly = "Только новые ставки";
inline constexpr const char* AllStakes = "Все создаваемые ставки";

inline constexpr const char* ScriptColumns[9] = {"Комментарии", "Опции",    "Фильтр 1",
                                                 "Фильтр 2",    "Фильтр 3", "Фильтр 4",
                                                 "Фильтр 5",    "Фильтр 6", "Фильтр 7"};
inline constexpr const char* PanelLines = "Строк: %d";
inline constexpr const char* PanelCycle = "Цикл: %d";
inline constexpr const char* PanelLine = "Строка: %d";
inline constexpr const char* PanelScriptStakes = "Ставок: %d";
inline constexpr const char* PanelVariant = "Фильтр %d из %d: %s";
inline constexpr const char* ScriptFileFilter = "Файлы сценариев (*.lsc)|*.lsc";
inline constexpr const char* DeletingLines = "Удаление строк...";
inline constexpr const char* NewLineTitle = "Создание новой строки";
inline constexpr const char* EditLineTitle = "Редактирование строки";

// Runs.
inline constexpr const char* RunningScript = "Выполнение сценария...";
inline constexpr const char* ScriptDone = "Сценарий завершен!";
inline constexpr const char* AskStopScript = "Остановить выполнение сценария?";
inline constexpr const char* MakingVariants = "Создание всех вариантов фильтров...";
inline constexpr const char* MakingVariantsCount = "Создание всех вариантов фильтров ( %d )...";
inline constexpr const char* TooManyVariants =
    "Вы задали слишком много вариантов фильтров - программа не сможет обработать их все!\n"
    "Пожалуйста, уменьшите в каждом из фильтров количество вариантов длины выборки и глубины, а "
    "затем повторите попытку.";
inline constexpr const char* VariantsCount = "Вариантов фильтров больше %llu.";
inline constexpr const char* MethodNotFound =
    "Метод расчета статистики \"%s\" на найден!\n%s\n\nВозможно, Вы отключили данных метод "
    "расчета либо использовали сценарий от другой модификации программы.";
inline constexpr const char* StoppedMoreThanOne =
    "Выполнение сценария прервано, т.к. после применения всех фильтров в списке комбинаций их "
    "осталось более одной: %d!\n\nФильтры: %s";
inline constexpr const char* NotANumber = "Значение \"%s\" не является числом!";
inline constexpr const char* TestsTitle = "Количество тестов";
inline constexpr const char* TestsLabel = "Укажите количество тестов:";
inline constexpr const char* TestsHint =
    "Укажите количество последних тиражей, на которых будет производится тестирование";

// The run log.
inline constexpr const char* LogWriteError = "Ошибка записи журнала: %s!";
inline constexpr const char* LogRunStart =
    "### ЗАПУСК СЦЕНАРИЯ "
    "##########################################################################";
inline constexpr const char* LogRunEnd =
    "### ЗАВЕРШЕНИЕ СЦЕНАРИЯ "
    "######################################################################";
inline constexpr const char* LogRunStopped =
    "### ВЫПОЛНЕНИЕ СЦЕНАРИЯ ПРЕРВАНО "
    "#############################################################";
inline constexpr const char* LogEquals =
    "============================================================================================="
    "=";
inline constexpr const char* LogOffset =
    "=== Выполнение сценария для смещения %.6d ==================================================";
inline constexpr const char* LogDashes =
    "---------------------------------------------------------------------------------------------"
    "-";
inline constexpr const char* LogScriptLine = "Выполнение строки %.3d: \"%s\"";
inline constexpr const char* LogVariantsMade = "Создано %d вариантов фильтров.";
inline constexpr const char* LogVariant = "Применение набора фильтров %.3d: \"%s\"";
inline constexpr const char* LogStartList = "Создание начального списка комбинаций...";
inline constexpr const char* LogCount = "Количество комбинаций в списке: %d";
inline constexpr const char* LogNoFilters = "{ERROR} Фильтры не применялись!";
inline constexpr const char* LogTable =
    "Анализ тиражей и расчет статистики \"%s\" для выборки в %d тиражей...";
inline constexpr const char* LogRow =
    "< [%s] кол-во: %s (%s %%), отклонение: %s (%s %%), глубина: %s (%s %%), вес: %s >";
inline constexpr const char* LogStep =
    "Шаг %.3d. Выделение строки: < [%s] кол-во: %s (%s %%), отклонение: %s (%s %%), глубина: %s "
    "(%s %%), вес: %s >";
inline constexpr const char* LogKeep = "Оставляем выделенные значения...";
inline constexpr const char* LogRemove = "Удаляем выделенные значения...";
inline constexpr const char* LogUndo = "{UNDO} Откат изменений...";
inline constexpr const char* LogStakeMode = "{*} Добавление ставки, режим: \"%s\"";
inline constexpr const char* LogStopped = "{!} Сценарий остановлен!";
inline constexpr const char* LogSkipped = "{-} Ставка игнорирована!";
inline constexpr const char* LogNotNew =
    "{-} Ставка на тираж %d не добавлена, так как уже имеется в списке ставок: [%s]";
inline constexpr const char* LogAdded = "{+} Ставка на тираж %d добавлена в список ставок: [%s]";
inline constexpr const char* LogSystemError = "{#} Системная игра для %d чисел [ОШИБКА]: \"%s\"";
inline constexpr const char* LogSystemAll =
    "{#} Системная игра для %d чисел [все система]: загружен файл \"%s\"";
inline constexpr const char* LogSystemCombs =
    "{#} Системная игра для %d чисел [система * комбинации]: загружен файл \"%s\"";
inline constexpr const char* NoScriptLogs = "Файлы журналов не найдены!";

// A scenario from the online catalogue.
inline constexpr const char* ScenarioControlChars = "Текст сценария содержит управляющие символы";
inline constexpr const char* ScenarioTooLong = "Сценарий длиннее %d строк";
inline constexpr const char* ScenarioLineTooLong = "Строка сценария длиннее %d байт";

}  // namespace korvane::texts
