# Writes build/web's sw.js from service_worker.js: the files it caches (every
# file of the page the build wrote) and a cache name from their hash, so that a
# new build replaces the old cache.
#   cmake -DWEB_DIR=... -DTEMPLATE=... -DFILES="a;b;..." -P write_service_worker.cmake
set(hashes "")
set(listed "\"./\"")
foreach(name IN LISTS FILES)
  file(SHA256 "${WEB_DIR}/${name}" hash)
  string(APPEND hashes "${name}=${hash}\n")
  string(APPEND listed ", \"${name}\"")
endforeach()
string(SHA256 version "${hashes}")
string(SUBSTRING "${version}" 0 16 SPW_CACHE_VERSION)
set(SPW_CACHED_FILES "${listed}")
configure_file("${TEMPLATE}" "${WEB_DIR}/sw.js" @ONLY)
