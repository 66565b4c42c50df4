#pragma once

// Texts of the statistics engine.

namespace korvane::texts {

inline constexpr const char* GroupError = "#ERROR#";
inline constexpr const char* FilterNamesLoadError = "Ошибка загрузки списка фильтров!\r\r%s";
inline constexpr const char* FilterNamesSaveError = "Ошибка сохранения списка фильтров!\r\r%s";
inline constexpr const char* FavouritesResetQuestion =
    "Вы действительно хотите сбросить список избранных фильтров?";
inline constexpr const char* NoMethodSelected = "Не выбран метод расчета статистики (cb: %s)!";
inline constexpr const char* AnalysingDraws = "Анализ тиражей и расчет статистики...";
inline constexpr const char* CreatingPrefetch = "Создание файла предварительной выборки %s...";
inline constexpr const char* CreatingAllPrefetch =
    "Создание файлов для полного набора комбинаций...";
inline constexpr const char* PrefetchOpenError =
    "Ошибка открытия файла данных для полного набора вариантов!\n\nИмя файла: %s\n\n%s";
inline constexpr const char* PrefetchCreateError =
    "Ошибка создания файла данных для полного набора вариантов!\n\nИмя файла: %s\n\n%s";
inline constexpr const char* CreatingCharts = "Создание графиков...";
inline constexpr const char* SeriesActual = "Фактические данные";
inline constexpr const char* SeriesTotal = "Все возможные комбинации";
inline constexpr const char* UnknownMethod = "Неизвестный метод расчета статистики: \"%s\"!";

}  // namespace korvane::texts
