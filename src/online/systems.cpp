#include "online/systems.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <ctime>

#include "core/encoding.h"
#include "core/strutil.h"
#include "online/texts.h"

namespace korvane {

namespace {

constexpr std::string_view SystemSeparators = " *+,-./:;=\\_|~\t";

time_t ToTimeT(DateTime local) {
  int y = 0, m = 0, d = 0;
  DecodeDate(local, y, m, d);
  const int64_t secs = TimeOfDaySeconds(local);
  std::tm tm{};
  tm.tm_year = y - 1900;
  tm.tm_mon = m - 1;
  tm.tm_mday = d;
  tm.tm_hour = static_cast<int>(secs / 3600);
  tm.tm_min = static_cast<int>(secs / 60 % 60);
  tm.tm_sec = static_cast<int>(secs % 60);
  tm.tm_isdst = -1;
  return mktime(&tm);
}

DateTime FromTm(const std::tm& tm) {
  try {
    return EncodeDateTime(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min,
                          tm.tm_sec);
  } catch (const Error&) {
    return {};
  }
}

int IntElement(std::string_view row, std::string_view name) {
  const auto e = TaggedElement(row, name);
  return e ? ParseInt32(Trim(*e)).value_or(0) : 0;
}

std::string TextElement(std::string_view row, std::string_view name) {
  const auto e = TaggedElement(row, name);
  return e ? std::string(Trim(*e)) : std::string();
}

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  for (std::string_view l : SplitAny(text, "\n")) {
    if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
    lines.push_back(l);
  }
  return lines;
}

}  // namespace

std::vector<SystemTriple> ParseSystemText(std::string_view text, int n) {
  std::vector<SystemTriple> out;
  int number = 0;
  for (std::string_view line : Lines(text)) {
    ++number;
    if (Trim(line).empty()) continue;
    const auto words = SplitWords(line, SystemSeparators);
    SystemTriple t{};
    bool ok = words.size() == 3;
    for (size_t k = 0; ok && k < 3; ++k) {
      const auto v = ParseInt32(words[k]);
      ok = v.has_value() && (n <= 0 || (*v >= 1 && *v <= n));
      if (ok) t[k] = *v;
    }
    if (!ok) throw Error(Format(texts::SystemBadLine, number, std::string(Trim(line)).c_str(), n));
    out.push_back(t);
  }
  return out;
}

std::string SystemText(const std::vector<SystemTriple>& triples) {
  std::string out;
  for (const SystemTriple& t : triples) {
    if (!out.empty()) out += "\r\n";
    out += Format("%.2d %.2d %.2d", t[0], t[1], t[2]);
  }
  return out;
}

std::string NormaliseSystemText(std::string_view text, int& numbers, int& lines) {
  std::vector<SystemTriple> kept;
  for (std::string_view line : Lines(text)) {
    const auto words = SplitWords(line, SystemSeparators);
    if (words.size() != 3) continue;
    SystemTriple t{};
    bool ok = true;
    for (size_t k = 0; ok && k < 3; ++k) {
      const auto v = ParseInt32(words[k]);
      ok = v.has_value() && *v >= 0 && *v <= 99;
      if (ok) t[k] = *v;
    }
    if (ok) kept.push_back(t);
  }
  int lo = 0, hi = -1;
  for (const SystemTriple& t : kept)
    for (const int v : t) {
      lo = hi < lo ? v : std::min(lo, v);
      hi = std::max(hi, v);
    }
  numbers = kept.empty() ? 0 : hi - lo + 1;
  lines = static_cast<int>(kept.size());
  return SystemText(kept);
}

bool IsOwnSystem(const TSystemData& s, const std::string& userMail) {
  return !Trim(userMail).empty() && SameText(Trim(s.mail), Trim(userMail));
}

std::string SystemsStore::FileName(const TSystemData& s) {
  return Format("%d-%.2d-%d_%.4d.dat", 3, s.nums, s.block, s.id);
}

bool SystemsStore::Has(const TSystemData& s) const {
  std::error_code ec;
  return s.id > 0 && fs::is_regular_file(PathOf(s), ec);
}

bool SystemsStore::Current(const TSystemData& s) const {
  struct stat st {};
  if (!Has(s) || ::stat(PathOf(s).c_str(), &st) != 0) return false;
  return st.st_mtime == ToTimeT(s.created);
}

void SystemsStore::Save(const TSystemData& s, std::string_view text) {
  if (s.nums < SystemMinNumbers || s.nums > SystemMaxNumbers || s.id <= 0)
    throw Error(Format(texts::SystemLoadError, s.title.c_str()));
  std::vector<SystemTriple> triples;
  try {
    triples = ParseSystemText(text, s.nums);
  } catch (const Error& e) {
    throw Error(Format(texts::SystemLoadError, e.what()));
  }
  if (static_cast<int32_t>(triples.size()) != s.count)
    throw Error(Format(texts::SystemCountMismatch, static_cast<int>(triples.size()),
                       static_cast<int>(s.count)));
  std::error_code ec;
  fs::create_directories(folder_, ec);
  if (ec) throw Error(folder_.string() + ": " + ec.message());
  const fs::path file = PathOf(s);
  WriteFileAtomic(file, SystemText(triples) + "\r\n");
  const time_t t = ToTimeT(s.created);
  const struct timespec times[2] = {{t, 0}, {t, 0}};
  (void)::utimensat(AT_FDCWD, file.c_str(), times, 0);
  // One system per number count.
  const std::string prefix = Format("%d-%.2d-", 3, s.nums);
  for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name != file.filename().string() && name.rfind(prefix, 0) == 0 && name.size() > 4 &&
        name.substr(name.size() - 4) == ".dat")
      (void)RemoveFile(it->path());
  }
}

void SystemsStore::Remove(const TSystemData& s) {
  if (Has(s)) (void)RemoveFile(PathOf(s));
}

std::optional<fs::path> SystemsStore::Find(int n) const {
  const std::string prefix = Format("%d-%.2d-", 3, n);
  std::vector<fs::path> found;
  std::error_code ec;
  for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.rfind(prefix, 0) == 0 && name.find('_') != std::string::npos && name.size() > 4 &&
        name.substr(name.size() - 4) == ".dat" && it->is_regular_file(ec))
      found.push_back(it->path());
  }
  if (found.empty()) return std::nullopt;
  std::sort(found.begin(), found.end());
  return found.front();
}

LocalSystem LoadLocalSystem(const SystemsStore& store, const TByteArray& numbers) {
  LocalSystem out;
  const int n = static_cast<int>(numbers.size());
  const auto file = store.Find(n);
  if (!file) {
    out.text = Format(texts::SystemNotFound, n);
    out.error = Format(texts::SystemNotFoundBox, n);
    return out;
  }
  try {
    for (const SystemTriple& t : ParseSystemText(ReadFile(*file), n)) {
      TComb c{};
      for (size_t p = 0; p < 3; ++p) c[p] = numbers[static_cast<size_t>(t[p] - 1)];
      out.combs.push_back(c);
    }
  } catch (const Error& e) {
    out.combs.clear();
    out.text = Format(texts::SystemLoadError, e.what());
    out.error = out.text;
    return out;
  }
  out.ok = !out.combs.empty();
  if (!out.ok) {
    out.text = Format(texts::SystemLoadError, file->string().c_str());
    out.error = out.text;
    return out;
  }
  out.text = file->string();
  return out;
}

DateTime UtcTextToLocal(std::string_view text) {
  std::tm tm{};
  const std::string s(Trim(text));
  if (strptime(s.c_str(), "%Y-%m-%d %H:%M:%S", &tm) == nullptr) return {};
  const time_t t = timegm(&tm);
  std::tm local{};
  if (localtime_r(&t, &local) == nullptr) return {};
  return FromTm(local);
}

std::string LocalDateTimeText(DateTime d) {
  if (d.seconds <= 0) return {};
  int y = 0, m = 0, day = 0;
  DecodeDate(d, y, m, day);
  const int64_t secs = TimeOfDaySeconds(d);
  return Format("%04d-%02d-%02d %02d:%02d:%02d", y, m, day, static_cast<int>(secs / 3600),
                static_cast<int>(secs / 60 % 60), static_cast<int>(secs % 60));
}

std::vector<TSystemData> SystemsLibrary::List() {
  const auto rows = PostLibrary(
      client_, context_, "/scripts/sys_getlist.php",
      {{"comblen", "3"}, {"maxnums", "10"}, {"cl_lcid", std::to_string(context_.language)}},
      keepGoing_);
  std::vector<TSystemData> out;
  for (const std::string& row : rows) {
    TSystemData s;
    s.id = IntElement(row, "id");
    s.nums = IntElement(row, "nums");
    s.block = IntElement(row, "olap");
    s.count = IntElement(row, "csize");
    s.title = DecodeBase64Text(TextElement(row, "title"));
    s.description = DecodeBase64Text(TextElement(row, "descr"));
    s.author = TextElement(row, "author");
    s.mail = TextElement(row, "cl_mail");
    s.link = TextElement(row, "url");
    s.created = UtcTextToLocal(TextElement(row, "created"));
    s.lastDownload = UtcTextToLocal(TextElement(row, "last_download"));
    s.downloads = IntElement(row, "downloads");
    out.push_back(std::move(s));
  }
  return out;
}

std::string SystemsLibrary::Combinations(int32_t id) {
  const auto rows = PostLibrary(client_, context_, "/scripts/sys_getdata.php",
                                {{"sys_id", std::to_string(id)}}, keepGoing_);
  for (const std::string& row : rows) {
    const std::string clist = TextElement(row, "clist");
    if (!clist.empty()) return DecodeBase64Text(clist);
  }
  return {};
}

int32_t SystemsLibrary::Put(const TSystemData& s, bool remove) {
  FormFields f = {{"del_mode", remove ? "1" : "0"},
                  {"sys_id", std::to_string(s.id)},
                  {"nums", std::to_string(s.nums)},
                  {"clen", "3"},
                  {"olap", std::to_string(s.block)},
                  {"title", EscapeLibraryText(s.title)},
                  {"descr", EscapeLibraryText(s.description)},
                  {"csize", std::to_string(s.count)},
                  {"clist", remove ? "" : EncodeBase64(EscapeLibraryText(s.combinations))},
                  {"url", s.link},
                  {"cl_name", EscapeLibraryText(s.author)},
                  {"cl_mail", EscapeLibraryText(s.mail)},
                  {"cl_lcid", std::to_string(context_.language)}};
  const auto rows =
      PostLibrary(client_, context_, "/scripts/sys_putdata.php", std::move(f), keepGoing_);
  for (const std::string& row : rows) {
    const auto id = ParseInt32(TextElement(row, "id_systems"));
    if (id && *id >= 0) return *id;
  }
  throw Error(texts::LibraryNoResult);
}

}  // namespace korvane
