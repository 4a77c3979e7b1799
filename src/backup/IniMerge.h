#pragma once
// Merging settings files for an import: the incoming keys written into what
// is on disk, and what another program changed in between. Both over 1251
// bytes, by the profile functions' rules (store/IniFormat.h).

#include <string>
#include <string_view>

namespace backup {

// `base` with every key=value of `incoming` written into it as
// IniFile::WriteString would; keys only `base` has stay. One pass over
// each, whatever their size.
std::string MergeInto(std::string_view base, std::string_view incoming);

// The key=value lines reads see in `after` that `before` lacks or reads
// otherwise, under their sections: what another writer changed, ready for
// MergeInto. Keys it removed are not listed. Values compare exactly.
std::string ChangedKeys(std::string_view before, std::string_view after);

}  // namespace backup
