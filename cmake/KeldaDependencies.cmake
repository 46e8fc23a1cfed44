# Outside libraries, all from Debian packages (see `make deps`).
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)
find_package(CURL REQUIRED)
find_package(SQLite3 REQUIRED)
find_package(LibXml2 REQUIRED)
find_package(fmt REQUIRED)
pkg_check_modules(PLIST REQUIRED IMPORTED_TARGET libplist-2.0)
pkg_check_modules(RE2 REQUIRED IMPORTED_TARGET re2)
pkg_check_modules(ICU REQUIRED IMPORTED_TARGET icu-i18n icu-uc)
pkg_check_modules(HTTPLIB REQUIRED IMPORTED_TARGET cpp-httplib)
pkg_check_modules(SODIUM REQUIRED IMPORTED_TARGET libsodium)
pkg_check_modules(PNG REQUIRED IMPORTED_TARGET libpng)
find_package(GTest REQUIRED)

add_library(kelda_deps INTERFACE)
target_link_libraries(kelda_deps INTERFACE
  Threads::Threads CURL::libcurl SQLite::SQLite3 LibXml2::LibXml2 fmt::fmt
  PkgConfig::PLIST PkgConfig::RE2 PkgConfig::ICU)
