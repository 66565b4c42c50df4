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

}  // namespace korvane::texts
