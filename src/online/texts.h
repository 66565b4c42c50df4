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

}  // namespace korvane::texts
