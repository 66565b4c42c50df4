#pragma once

// Texts of the spreadsheet export.

namespace korvane::texts {

inline constexpr const char* ExportCaption = "Экспорт в Microsoft Excel";
inline constexpr const char* ExportAlignLeft = "по левому краю";
inline constexpr const char* ExportAlignRight = "по правому краю";
inline constexpr const char* ExportAlignCenter = "по центру";
inline constexpr const char* ExportOrientationNone = "Не устанавливать";
inline constexpr const char* ExportOrientationPortrait = "Книжная";
inline constexpr const char* ExportOrientationLandscape = "Альбомная";
inline constexpr const char* ExportSendAll = "Экспортировать все отображенные записи";
inline constexpr const char* ExportSendSelected = "Экспортировать выделенные записи";
inline constexpr const char* ExportCreatedAt = "Отчет построен: %s.";
inline constexpr const char* ExportFieldLoadError =
    "Ошибка загрузки параметров экспортируемого поля ID=\"%d\"!";
inline constexpr const char* ExportParamsLoadError =
    "Ошибка загрузки параметров экспорта из файла \"%s\"!";
inline constexpr const char* ExportParamsSaveError =
    "Ошибка сохранения параметров экспорта в файле \"%s\"!";
inline constexpr const char* ExportError = "Ошибка экспорта данных в Microsoft Excel!\r%s";
inline constexpr const char* ExportTooManyRows =
    "Строк для экспорта больше, чем помещается на лист (%d, не более %d)";
inline constexpr const char* ExportWriteError = "Не удалось записать файл \"%s\": %s";

}  // namespace korvane::texts
