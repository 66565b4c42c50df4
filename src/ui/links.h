#pragma once

// Addresses the help and link actions open in the browser.

namespace korvane::ui::links {

inline constexpr const char* MainSite = "https://korvane.example/";
inline constexpr const char* AuthorSite = "https://korvane.example/author";
inline constexpr const char* Blog = "https://korvane.example/blog";
inline constexpr const char* VideoBlog = "https://korvane.example/video";
inline constexpr const char* VK = "https://korvane.example/vk";
inline constexpr const char* OK = "https://korvane.example/ok";
inline constexpr const char* Articles = "https://korvane.example/articles";
inline constexpr const char* Telegram = "https://korvane.example/telegram";
inline constexpr const char* Manuals = "https://korvane.example/manuals";
inline constexpr const char* Contact = "support@korvane.example";

}  // namespace korvane::ui::links
