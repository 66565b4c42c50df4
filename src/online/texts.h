#pragma once

// Texts of the online services: the draw download, the proxy choice and the requests.

namespace korvane::texts {

// The draw download.
inline constexpr const char* Downloading = "Загрузка архива тиражей...";
inline constexpr const char* DownloadingWithProxy = "Загрузка архива тиражей...\r\r%s";
inline constexpr const char* DownloadAttempt = "Попытка %d, proxy %s : %d";
inline constexpr const char* DownloadingRange = "Загрузка тиражей %s - %s...";
inline constexpr const char* DownloadRetry =
    "Ошибка загрузки архива тиражей с сайта: \"%s\"\r\rПовторить попытку?";
inline constexpr const char* MarkerPairMissing =
    "Не удалось найти пару идентификаторов \"%s\" - \"%s\" в тексте\r\r[%s]!";
inline constexpr const char* DownloadOnStartQuestion =
    "Обновить список тиражей?\r\rДля выполнения обновления необходимо действующее подключение "
    "к сети Интернет.";
inline constexpr const char* DownloadFailed = "Ошибка загрузки архива тиражей с сайта: \"%s\"";
inline constexpr const char* DownloadCancelled = "Загрузка прервана пользователем";

// The proxy choice.
inline constexpr const char* ProxySearching = "Поиск proxy-серверов";
inline constexpr const char* ProxyNoneFound =
    "Не найдено ни одного proxy-сервера с заданными параметрами";
inline constexpr const char* ProxyListError = "Ошибка получения списка proxy-серверов!\r\r%s";
inline constexpr const char* ProxyPickError = "Ошибка автоматического выбора proxy сервера!\r\r%s";
inline constexpr const char* ProxyListNotConfigured =
    "Адрес страницы списка proxy-серверов не задан (ключ ProxyListUrl раздела ONLINE файла "
    "Korvane.ini)";

// Requests.
inline constexpr const char* HttpRefusedScheme =
    "Адрес \"%s\" отклонён: по незащищённому протоколу http разрешены только запросы к этому "
    "компьютеру (127.0.0.1), остальные адреса нужно открывать по https";
inline constexpr const char* HttpBodyTooLarge = "Ответ сервера больше %d МБ";
inline constexpr const char* HttpTooManyRedirects = "Слишком много перенаправлений (%d)";
inline constexpr const char* HttpReadTimeout = "Сервер не отвечает дольше %d мс";
inline constexpr const char* HttpCancelled = "Запрос прерван пользователем";

// The self-update.
inline constexpr const char* UpdateSearching = "Поиск доступных обновлений...";
inline constexpr const char* UpdateNotFound = "Обновлений не найдено!";
inline constexpr const char* UpdateCheckError = "Ошибка поиска обновлений!\r\r%s";
inline constexpr const char* UpdateInstallError = "Ошибка установки обновления!\r\r%s";
inline constexpr const char* UpdateInstalling = "Загрузка и установка обновления \"%s\"...";
inline constexpr const char* UpdateFileNotFound = "Файл \"%s\" не найден!";
inline constexpr const char* UpdateBadChecksum = "Неверная контрольная сумма скачанного файла.";
inline constexpr const char* UpdateInstalled =
    "Установка обновления \"%s\" успешно выполнена.\r\rДля завершения установки необходимо "
    "перезапустить программу!";
inline constexpr const char* UpdateNoText = "< Описание обновления не доступно >";
inline constexpr const char* UpdateDialogCaption = "Найдена новая версия программы";
inline constexpr const char* UpdateCurrentVersion = "Текущая версия программы:";
inline constexpr const char* UpdateNewVersion = "Новая версия программы:";
inline constexpr const char* UpdateTextLabel = "Описание версии:";
inline constexpr const char* UpdateInstall = "Установить";
inline constexpr const char* UpdateInstallHint = "Установить это обновление";
inline constexpr const char* UpdateRefuseHint = "Отказаться от обновления";
inline constexpr const char* UpdateNotConfigured =
    "Адрес службы обновлений не задан (ключ UpdateHost раздела ONLINE файла Korvane.ini)";
inline constexpr const char* UpdateNoKey =
    "В программу не встроен ключ проверки обновлений: обновление невозможно";
inline constexpr const char* UpdateBadSignature =
    "Подпись \"%s\" не прошла проверку: файл получен не от автора программы или повреждён";
inline constexpr const char* UpdateNoSignature = "Не удалось получить подпись \"%s\": %s";
inline constexpr const char* UpdateBadName =
    "Недопустимое имя файла в описании обновления: \"%s\" (допустимы только латинские буквы, "
    "цифры, \".\", \"_\" и \"-\")";
inline constexpr const char* UpdateBadMember = "Пакет обновления содержит недопустимый путь \"%s\"";
inline constexpr const char* UpdateBadMemberType =
    "Пакет обновления содержит \"%s\", который не является ни файлом, ни каталогом";
inline constexpr const char* UpdatePackageTooLarge =
    "Пакет обновления распаковывается больше чем в %d МБ";
inline constexpr const char* UpdatePackageError = "Ошибка чтения пакета обновления \"%s\": %s";
inline constexpr const char* UpdateFolderError = "Не удалось заменить каталог программы \"%s\": %s";
inline constexpr const char* UpdateLocalTooLarge = "Файл \"%s\" больше %d МБ";

// The online libraries.
inline constexpr const char* LibraryNoResult = "Ответ сервера не содержит результата запроса";
inline constexpr const char* LibraryNotConfigured =
    "Адрес онлайн-библиотеки не задан (ключ LibraryUrl раздела ONLINE файла Korvane.ini)";

// The systems library and the local systems.
inline constexpr const char* SystemsListLoading = "Загрузка списка систем...";
inline constexpr const char* SystemsListError = "Ошибка загрузки списка систем!\r\r%s";
inline constexpr const char* SystemsListEmpty = "Список систем не доступен!";
inline constexpr const char* SystemDownloading = "Загрузка \"%s\"...";
inline constexpr const char* SystemDownloadError = "Ошибка загрузки системы #%d!\r\r%s";
inline constexpr const char* SystemCountMismatch =
    "Количество скачанных комбинаций ( %d ) отличается от ожидаемого значения ( %d )";
inline constexpr const char* SystemSaving = "Сохранение \"%s\"...";
inline constexpr const char* SystemAddError = "Ошибка добавления системы!\r\r%s";
inline constexpr const char* SystemChangeError = "Ошибка изменения системы!\r\r%s";
inline constexpr const char* SystemDeleteQuestion =
    "Вы действительно хотите удалить систему \"%s\"?";
inline constexpr const char* SystemDeleting = "Удаление \"%s\"...";
inline constexpr const char* SystemNotOwn = "Вы можете удалять только свои системы!";
inline constexpr const char* SystemDeleteError = "Ошибка удаления системы!\r\r%s";
inline constexpr const char* SystemSaveError = "Ошибка сохранения системы #%d!\r\r%s";
inline constexpr const char* SystemNotFound =
    "Система для %d чисел не найдена или не загружена на компьютер!";
inline constexpr const char* SystemNotFoundBox =
    "Система для %d чисел не найдена или не загружена на компьютер!\r\rПеред системной игрой "
    "необходимо предварительно загрузить системы на Ваш компьютер через меню \"Системы\" - "
    "\"Загрузить\".";
inline constexpr const char* SystemLoadError = "Ошибка загрузки комбинаций системы!\r\r%s";
inline constexpr const char* SystemBadLine = "Строка %d \"%s\": ожидаются три номера от 1 до %d";
inline constexpr const char* SystemLoaded = "Загружена";

// The scenario catalogue.
inline constexpr const char* ScenarioReturnCode = "Код возврата: %d";
inline constexpr const char* ScenarioListLoading = "Загрузка online-каталога сценариев...";
inline constexpr const char* ScenarioListError = "Ошибка загрузки каталога online-сценариев!\r\r%s";
inline constexpr const char* ScenarioDownloading = "Скачивание сценария из online-каталога...";
inline constexpr const char* ScenarioDownloadError = "Ошибка загрузки online-сценария!\r\r%s";
inline constexpr const char* ScenarioReplaceQuestion =
    "Текущий сценарий будет заменён сценарием \"%s\" из online-каталога. Продолжить?";
inline constexpr const char* ScenarioRating = "Отправка оценки на сервер...";
inline constexpr const char* ScenarioRateError = "Ошибка сохранения оценки online-сценария!\r\r%s";
inline constexpr const char* ScenarioTitleCheckError =
    "Ошибка проверки уникальности online-сценария!\r\r%s";
inline constexpr const char* ScenarioSaving = "Сохранение сценария в базе данных...";
inline constexpr const char* ScenarioSaveError =
    "Ошибка сохранения online-сценария в базе данных!\r\r%s";
inline constexpr const char* ScenarioDeleteQuestion =
    "Вы действительно хотите удалить сценарий \"%s\"?";
inline constexpr const char* ScenarioDeleting = "Удаление сценария из базы данных...";
inline constexpr const char* ScenarioDeleteError =
    "Ошибка удаления online-сценария из базы данных!\r\r%s";
inline constexpr const char* ScenarioRatesLoading = "Загрузка списка оценок...";
inline constexpr const char* ScenarioRatesError = "Ошибка просмотра оценок online-сценария!\r\r%s";

}  // namespace korvane::texts
