#pragma once

// Captions and messages of the desktop window.

namespace korvane::ui {

inline constexpr const char* CaptionError = "Ошибка";
inline constexpr const char* CaptionInformation = "Информация";
inline constexpr const char* CaptionWarning = "Предупреждение";
inline constexpr const char* CaptionAttention = "Внимание!";
inline constexpr const char* CaptionQuestion = "Подтверждение";

inline constexpr const char* ButtonOk = "ОК";
inline constexpr const char* ButtonOkHint = "Сохранить изменения";
inline constexpr const char* ButtonCancel = "Отмена";
inline constexpr const char* ButtonCancelHint = "Отменить изменения и закрыть окно";

// Pages.
inline constexpr const char* PageDraws = "Архив тиражей";
inline constexpr const char* PageCombs = "Комбинации";
inline constexpr const char* PageStat = "Статистика";
inline constexpr const char* PageGraphs = "Графики";
inline constexpr const char* PageCard = "Карта";
inline constexpr const char* PageLayout = "Схема";
inline constexpr const char* PageWeek = "Неделя";
inline constexpr const char* PageStakes = "Ставки";
inline constexpr const char* PageRatings = "Рейтинг";
inline constexpr const char* PageTables = "Регуляры";
inline constexpr const char* PageSystems = "Системы";
inline constexpr const char* PageScript = "Сценарий";

// The hints of the statistics table's column captions, in column order.
inline constexpr const char* StatColumnHints[20] = {
    "Значение статистики",
    "Сколько раз значение встретилось в анализируемых тиражах",
    "Доля значения среди всех встреченных значений, %",
    "Норма: ожидаемое количество по распределению на полном наборе комбинаций",
    "Отклонение: количество минус норма",
    "Отклонение в процентах от нормы",
    "Глубина: сколько тиражей назад значение встретилось последний раз (1 — в последнем "
    "анализируемом тираже)",
    "Глубина в процентах от наибольшей глубины в таблице",
    "Вес значения по весовым коэффициентам",
    "Номер тиража, в котором значение встретилось последний раз",
    "Наименьший интервал между появлениями значения, в тиражах",
    "Средний интервал между появлениями значения, в тиражах",
    "Наибольший интервал между появлениями значения, в тиражах",
    "ПРД: ожидаемый тираж следующего появления — последний тираж плюс средний период",
    "СТФ: ожидаемый тираж следующего появления — последний тираж × (количество + 1) / "
    "количество",
    "КРН: ожидаемый тираж следующего появления — (последний тираж + 1) × (количество + 2) / "
    "(количество + 1)",
    "Факт: тираж, в котором значение на самом деле появилось после анализируемых (при смещении "
    "назад)",
    "Ожидание по ПРД минус фактический тираж",
    "Ожидание по СТФ минус фактический тираж",
    "Ожидание по КРН минус фактический тираж",
};

// Said on the archive page while the archive is empty.
inline constexpr const char* EmptyArchiveHint =
    "Архив тиражей пуст. Загрузите тиражи с сайта лотереи: меню «Архив тиражей» → «Загрузка» "
    "(F3), или из файла: «Импорт из CSV-файла», или введите их: «Добавить».";

// Menus.
inline constexpr const char* MenuFile = "Файл";
inline constexpr const char* MenuLanguage = "Язык интерфейса";
inline constexpr const char* MenuDraws = "Архив тиражей";
inline constexpr const char* MenuAutoDownload = "Автозагрузка при запуске программы";
inline constexpr const char* MenuCombs = "Комбинации";
inline constexpr const char* MenuStat = "Статистика";
inline constexpr const char* MenuStakes = "Ставки";
inline constexpr const char* MenuRatings = "Рейтинг";
inline constexpr const char* MenuRatingsEff = "Эффективность (столбцы E0..n)";
inline constexpr const char* MenuTables = "Регуляры";
inline constexpr const char* MenuSystems = "Системы";
inline constexpr const char* MenuScriptLibrary = "Online-каталог сценариев";
inline constexpr const char* MenuScriptLibraryRate = "Оценить";
inline constexpr const char* MenuLibrary = "Online-каталог сценариев";
inline constexpr const char* MenuLibraryRate = "Оценить";
inline constexpr const char* MenuView = "Вид";
inline constexpr const char* MenuHelp = "Справка";

// Archive page.
inline constexpr const char* OffsetLabel = "Смещение назад:";
inline constexpr const char* OffsetHint =
    "Смещение относительно последнего загруженного номера тиража";

// Draw dialog.
inline constexpr const char* DrawDialogTitle = "Данные тиража";
inline constexpr const char* DrawNumberLabel = "Номер тиража:";
inline constexpr const char* DrawNumberHint = "Номер тиража";
inline constexpr const char* DrawNumbersLabel =
    "Выпавшие числа, разделенные точкой с запятой или запятой:";
inline constexpr const char* DrawDateLabel = "Дата и время тиража:";
inline constexpr const char* DrawDateHint = "Дата проведения тиража";
inline constexpr const char* DrawTimeHint = "Время проведения тиража";

// Draw details.
inline constexpr const char* DrawInfoTitle = "Подробная информация";
inline constexpr const char* InfoProperty = "Свойство";
inline constexpr const char* InfoValue = "Значение";
inline constexpr const char* InfoColumns = "Количество столбцов:";

// Settings dialog.
inline constexpr const char* ConfigTitle = "Параметры системы";
inline constexpr const char* ConfigCost = "Стоимость ставки:";
inline constexpr const char* ConfigMaxStake = "Расширенная ставка:";
inline constexpr const char* ConfigPrizes = "Размеры выигрышей:";
inline constexpr const char* ConfigPrizeMatches = "Совпадений";
inline constexpr const char* ConfigPrizeSum = "Сумма выигрыша";
inline constexpr const char* ConfigWeights = "Весовые коэффициенты";
inline constexpr const char* ConfigCount = "Количество:";
inline constexpr const char* ConfigDeviation = "Отклонение:";
inline constexpr const char* ConfigLevel = "Глубина:";
inline constexpr const char* ConfigUsePercents = "Использовать значения в %";
inline constexpr const char* ConfigUseAbs = "Использовать абсолютные значения";
inline constexpr const char* ConfigMatrixSize = "Размер матрицы:";
inline constexpr const char* ConfigSegments = "Сегменты матрицы:";
inline constexpr const char* ConfigChannelSize = "Размер канала:";

// First-run dialog.
inline constexpr const char* FirstRunTitle = "Справочная информация";
inline constexpr const char* FirstRunOpenHelp = "Открыть файл встроенной справочной системы";
inline constexpr const char* FirstRunManuals = "Руководства пользователя на сайте";
inline constexpr const char* FirstRunBlog = "Блог проекта";
inline constexpr const char* FirstRunSocial = "Страница проекта в социальной сети";
inline constexpr const char* FirstRunDontShow = "Больше не показывать данный диалог";

// About.
inline constexpr const char* AboutVersion = "Версия программы:";

}  // namespace korvane::ui
