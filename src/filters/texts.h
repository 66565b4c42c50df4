#pragma once

// Texts of the combination list and its filters.

namespace korvane::texts {

inline constexpr const char* PanelCombs = "Комбинаций: %d";
inline constexpr const char* GeneratingCombs = "Генерация возможных комбинаций...";
inline constexpr const char* GenerateError = "Ошибка генерации файла комбинаций!\n\n%s";
inline constexpr const char* SavingUndo = "Создание файла отката...";
inline constexpr const char* RestoringUndo = "Отмена изменений...";
inline constexpr const char* UndoRow = "Отмена последней операции";
inline constexpr const char* DeletingCombs = "Удаление выделенных комбинаций...";
inline constexpr const char* SelectedCombs = "Выделенные комбинации";
inline constexpr const char* SearchingDraws = "Поиск по архиву тиражей...";
inline constexpr const char* CombFoundIn = "Выделенная комбинация найдена в следующих тиражах:";
inline constexpr const char* CombNotFound = "Выделенная комбинация не найдена архиве тиражей!";
inline constexpr const char* PleaseWait = "Подождите пожалуйста...";

// Generation dialog.
inline constexpr const char* GenTitle = "Создание нового списка комбинаций";
inline constexpr const char* GenModeLabel = "Режим генерации списка комбинаций:";
inline constexpr const char* GenModeHint = "Режим генерации списка комбинаций";
inline constexpr const char* GenTextLabel = "Мои числа или имя файла для загрузки:";
inline constexpr const char* GenTextHint =
    "Список \"моих чисел\" через точку с запятой или имя файла для режима \"Загрузка из файла\"";
inline constexpr const char* GenBrowseHint = "Выбор файла";
inline constexpr const char* GenSaveDefaults =
    "Сохранить эти параметры для генерации комбинаций \"по умолчанию\"";
inline constexpr const char* GenOkHint = "Создать список возможных комбинаций";
inline constexpr const char* GenModes[5] = {
    "Полный список (все возможные для данного лото варианты)",
    "Мои числа - должно присутствовать любое из указанных",
    "Мои числа - комбинации только из списка указанных",
    "Мои числа - исключить комбинации с любым из указанных",
    "Загрузить список из заранее подготовленного CSV-файла",
};

// Lists.
inline constexpr const char* ColCombNo = "№ п.п.";
inline constexpr const char* ColFilters = "Примененные фильтры";
inline constexpr const char* ColFilterValues = "Значения";
inline constexpr const char* ColFilterCount = "Комбинаций";

// Statistic filters.
inline constexpr const char* Filtering = "Фильтрация комбинаций...";
inline constexpr const char* NoGridValues = "В выделенном диапазоне нет значений для фильтра!";
inline constexpr const char* BadRange = "Введен некорректный диапазон значений!";
inline constexpr const char* NoValueListMode =
    "Для данного вида статистики не доступен режим выделения по списку значений!";
inline constexpr const char* MultiSelectStop =
    "В режиме мультивыделения остановка сценария по количеству комбинаций или чисел не может быть "
    "выполнена!\nВыберите другой способ останова.";
inline constexpr const char* BadFilter = "Некорректное описание фильтра: %s!";
inline constexpr const char* UnknownValue = "В таблице статистики нет значения \"%s\"!";

// Combination files, clipboard, undo, draw exclusion.
inline constexpr const char* CombFileReadError = "Ошибка чтения файла \"%s\"!\n\n%s";
inline constexpr const char* CombFileWriteError = "Ошибка записи в файл \"%s\"!\n\n%s";
inline constexpr const char* LoadingFile = "Загрузка файла \"%s\"...";
inline constexpr const char* SavingFile = "Сохранение файла \"%s\"...";
inline constexpr const char* ExcludingDraws =
    "Удаление из списка комбинаций %d последних тиражей...";
inline constexpr const char* ExcludingDrawsProgress =
    "Удаление из списка комбинаций %d последних тиражей ( завершено %.0f %% )...";
inline constexpr const char* LastDraws = "Последние тиражи";
inline constexpr const char* DistinctNumbersMsg =
    "В текущем списке комбинаций содержится %d уникальных номеров";
inline constexpr const char* CombFilter = "Файлы комбинаций (*.lcv)|*.lcv";

}  // namespace korvane::texts
