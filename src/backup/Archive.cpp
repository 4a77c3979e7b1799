#include "backup/Archive.h"

#include <zip.h>

#include <algorithm>
#include <memory>
#include <set>
#include <sstream>

#include "store/Cp1251.h"
#include "store/Files.h"

namespace backup {
namespace {

constexpr std::uint32_t kTypeMask = 0170000;
constexpr std::uint32_t kRegular = 0100000;
constexpr std::uint32_t kFolder = 0040000;

struct ZipCloser {
    void operator()(zip_t* z) const { zip_discard(z); }
};
using ZipPtr = std::unique_ptr<zip_t, ZipCloser>;

std::string ServersText(const std::vector<int>& servers)
{
    std::string s;
    for (int n : servers) s += (s.empty() ? "" : ",") + std::to_string(n);
    return s;
}

// The digest is always that of the files packed, whatever the manifest says.
std::string ManifestText(const Archive& a)
{
    std::ostringstream out;
    out << "format=" << a.manifest.format << "\n"
        << "program=" << a.manifest.program << "\n"
        << "created=" << a.manifest.created << "\n"
        << "settings=" << (a.manifest.scope.settings ? 1 : 0) << "\n"
        << "servers=" << ServersText(a.manifest.scope.servers) << "\n"
        << "digest=" << Digest(a.files) << "\n";
    for (const auto& entry : a.files) out << "file=" << entry.first << "\n";
    return out.str();
}

struct ParsedManifest {
    Manifest manifest;
    std::vector<std::string> files;
};

ParsedManifest ParseManifest(std::string_view text)
{
    ParsedManifest p;
    p.manifest.format = 0;
    p.manifest.scope.settings = false;
    p.manifest.scope.servers.clear();
    std::istringstream in{std::string(text)};
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        const std::string key = line.substr(0, eq);
        const std::string value = line.substr(eq + 1);
        if (key == "format") p.manifest.format = std::atoi(value.c_str());
        else if (key == "program") p.manifest.program = value;
        else if (key == "created") p.manifest.created = value;
        else if (key == "settings") p.manifest.scope.settings = value == "1";
        else if (key == "digest") p.manifest.digest = value;
        else if (key == "file") p.files.push_back(value);
        else if (key == "servers") {
            std::istringstream list(value);
            for (std::string n; std::getline(list, n, ',');)
                if (n.size() == 1 && n[0] >= '1' && n[0] <= '0' + kServerCount) p.manifest.scope.servers.push_back(n[0] - '0');
        }
    }
    if (p.manifest.format != 1) throw ArchiveError("Это не архив настроек Quorvel или его версия не поддерживается.");
    return p;
}

ZipPtr OpenZip(std::string_view bytes)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
    zip_t* z = source ? zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error) : nullptr;
    if (z == nullptr) {
        if (source) zip_source_free(source);
        zip_error_fini(&error);
        throw ArchiveError("Файл повреждён или не является zip-архивом.");
    }
    zip_error_fini(&error);
    return ZipPtr(z);
}

std::string ReadEntry(zip_t* z, zip_uint64_t index, std::uint64_t size, const std::string& name)
{
    std::unique_ptr<zip_file_t, decltype(&zip_fclose)> file(zip_fopen_index(z, index, 0), &zip_fclose);
    if (!file) throw ArchiveError("Не удалось распаковать «" + name + "».");
    std::string bytes(size, '\0');
    zip_uint64_t got = 0;
    while (got < size) {
        const zip_int64_t n = zip_fread(file.get(), bytes.data() + got, size - got);
        if (n <= 0) break;
        got += static_cast<zip_uint64_t>(n);
    }
    // One more read reaches the end, where the checksum is compared.
    char extra;
    if (got != size || zip_fread(file.get(), &extra, 1) != 0)
        throw ArchiveError("Файл «" + name + "» в архиве повреждён.");
    return bytes;
}

}  // namespace

std::string ProgramVersion()
{
    return QUORVEL_VERSION;
}

Archive Collect(const std::string& exeDir, const Scope& scope, const std::string& created)
{
    Archive a;
    a.manifest.program = ProgramVersion();
    a.manifest.created = created;
    a.manifest.scope = scope;
    a.files = ReadSetup(exeDir, scope);
    return a;
}

std::string Pack(const Archive& archive)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* target = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_error_fini(&error);
    if (target == nullptr) throw ArchiveError("Не хватает памяти для архива.");
    zip_source_keep(target);
    std::unique_ptr<zip_source_t, decltype(&zip_source_free)> keep(target, &zip_source_free);
    zip_t* z = zip_open_from_source(target, ZIP_TRUNCATE, nullptr);
    if (z == nullptr) {
        zip_source_free(target);  // not taken: drop the reference the archive would have held
        throw ArchiveError("Не удалось создать архив.");
    }
    ZipPtr guard(z);

    const std::string manifest = ManifestText(archive);
    const auto add = [&](const std::string& name, const std::string& bytes) {
        zip_source_t* s = zip_source_buffer(z, bytes.data(), bytes.size(), 0);
        if (s == nullptr || zip_file_add(z, name.c_str(), s, ZIP_FL_ENC_UTF_8 | ZIP_FL_OVERWRITE) < 0) {
            if (s) zip_source_free(s);
            throw ArchiveError("Не удалось добавить «" + name + "» в архив.");
        }
    };
    add(std::string(kManifestName), manifest);
    for (const auto& [path, bytes] : archive.files) add(path, bytes);
    if (zip_close(guard.get()) < 0) throw ArchiveError("Не удалось создать архив.");
    guard.release();

    if (zip_source_open(target) < 0) throw ArchiveError("Не удалось создать архив.");
    std::string out;
    char buffer[65536];
    zip_int64_t n;
    while ((n = zip_source_read(target, buffer, sizeof buffer)) > 0) out.append(buffer, static_cast<size_t>(n));
    zip_source_close(target);
    return out;
}

Archive Unpack(std::string_view zipBytes)
{
    if (zipBytes.size() > kMaxArchiveBytes) throw ArchiveError("Архив больше 100 МБ.");
    ZipPtr z = OpenZip(zipBytes);
    const zip_int64_t count = zip_get_num_entries(z.get(), 0);
    if (count < 0 || static_cast<std::uint64_t>(count) > kMaxEntries)
        throw ArchiveError("В архиве больше 10000 файлов.");

    // Every entry is looked at before anything is read: names, types, sizes.
    std::set<std::string> seen;
    std::uint64_t total = 0;
    std::map<std::string, std::pair<zip_uint64_t, std::uint64_t>> entries;  // name -> index, size
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t st;
        zip_stat_init(&st);
        const char* raw = zip_get_name(z.get(), static_cast<zip_uint64_t>(i), ZIP_FL_ENC_GUESS);
        if (raw == nullptr || zip_stat_index(z.get(), static_cast<zip_uint64_t>(i), 0, &st) < 0)
            throw ArchiveError("Оглавление архива повреждено.");
        const std::string name = raw;
        // A folder entry holds nothing, but only the setup's own folders may pass.
        const bool folder = !name.empty() && name.back() == '/';
        const auto& folders = SetupFolders();
        if (folder ? std::find(folders.begin(), folders.end(), name) == folders.end()
                   : name != kManifestName && !SetupFileServer(name))
            throw ArchiveError("Архив содержит недопустимый путь: " + name);
        zip_uint8_t opsys;
        zip_uint32_t attributes;
        if (zip_file_get_external_attributes(z.get(), static_cast<zip_uint64_t>(i), 0, &opsys, &attributes) == 0 &&
            opsys == ZIP_OPSYS_UNIX && (attributes >> 16) != 0 &&
            ((attributes >> 16) & kTypeMask) != (folder ? kFolder : kRegular))
            throw ArchiveError("Архив содержит ссылку или особый файл: " + name);
        if (folder) {
            if (st.size != 0) throw ArchiveError("Оглавление архива повреждено.");
            continue;
        }
        if (!seen.insert(store::FoldedUtf8(name)).second) throw ArchiveError("Файл «" + name + "» встречается в архиве дважды.");
        if ((st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE)
            throw ArchiveError("Архив зашифрован: " + name);
        total += st.size;
        if (total > kMaxArchiveBytes) throw ArchiveError("Распакованные файлы заняли бы больше 100 МБ.");
        entries[name] = {static_cast<zip_uint64_t>(i), st.size};
    }

    const auto manifestEntry = entries.find(std::string(kManifestName));
    if (manifestEntry == entries.end()) throw ArchiveError("Это не архив настроек Quorvel: в нём нет описи.");
    const ParsedManifest parsed = ParseManifest(
        ReadEntry(z.get(), manifestEntry->second.first, manifestEntry->second.second, manifestEntry->first));

    Archive a;
    a.manifest = parsed.manifest;
    for (const std::string& name : parsed.files) {
        const auto server = SetupFileServer(name);
        if (!server) throw ArchiveError("Опись называет недопустимый путь: " + name);
        if (!a.manifest.scope.Holds(*server)) throw ArchiveError("Файл «" + name + "» не относится к серверам архива.");
        const auto it = entries.find(name);
        if (it == entries.end()) throw ArchiveError("В архиве нет файла «" + name + "», названного в описи.");
        if (a.files.count(name)) throw ArchiveError("Файл «" + name + "» встречается в архиве дважды.");
        a.files.emplace(name, ReadEntry(z.get(), it->second.first, it->second.second, name));
    }
    if (entries.size() != a.files.size() + 1) throw ArchiveError("В архиве есть файлы, которых нет в описи.");
    if (a.manifest.digest != Digest(a.files))
        throw ArchiveError("Файлы архива не сходятся с его описью: архив изменён или повреждён.");
    return a;
}

Archive ReadArchive(const std::string& path)
{
    const store::FileStamp stamp = store::StatFile(path);
    if (!stamp.exists) throw ArchiveError("Файл не найден: " + path);
    if (stamp.size > kMaxArchiveBytes) throw ArchiveError("Архив больше 100 МБ.");
    store::FileContents c = store::ReadWholeFile(path);
    if (c.status != store::ReadStatus::Ok) throw ArchiveError("Не удалось прочитать " + path);
    return Unpack(c.bytes);
}

void WriteArchive(const std::string& path, const Archive& archive)
{
    if (!store::WriteFileAtomic(path, Pack(archive))) throw ArchiveError("Unable to write to " + path);
}

std::optional<Manifest> PeekManifest(const std::string& path)
{
    try {
        store::FileContents c = store::ReadWholeFile(path);
        if (c.status != store::ReadStatus::Ok || c.bytes.size() > kMaxArchiveBytes) return std::nullopt;
        ZipPtr z = OpenZip(c.bytes);
        zip_stat_t st;
        zip_stat_init(&st);
        const std::string name(kManifestName);
        if (zip_stat(z.get(), name.c_str(), 0, &st) < 0 || st.size > 1024 * 1024) return std::nullopt;
        return ParseManifest(ReadEntry(z.get(), st.index, st.size, name)).manifest;
    } catch (const ArchiveError&) {
        return std::nullopt;
    }
}

}  // namespace backup
