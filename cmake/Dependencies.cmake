# Every dependency of the project is found here, once.
find_package(Threads REQUIRED)
find_package(Qt6 6.2 REQUIRED COMPONENTS Core Gui Widgets PrintSupport WebEngineWidgets)
find_package(CURL 7.80 REQUIRED)
find_package(GTest REQUIRED)
find_package(benchmark QUIET)
find_path(HTTPLIB_INCLUDE_DIR httplib.h REQUIRED)
find_library(HTTPLIB_LIBRARY NAMES cpp-httplib REQUIRED)
# Debian's cpp-httplib is a compiled library whose header expects these switches.
add_library(meldewerk_httplib INTERFACE)
target_include_directories(meldewerk_httplib INTERFACE ${HTTPLIB_INCLUDE_DIR})
target_link_libraries(meldewerk_httplib INTERFACE ${HTTPLIB_LIBRARY} Threads::Threads)
target_compile_definitions(meldewerk_httplib INTERFACE
  CPPHTTPLIB_OPENSSL_SUPPORT CPPHTTPLIB_ZLIB_SUPPORT CPPHTTPLIB_BROTLI_SUPPORT)
