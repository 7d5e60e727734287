# Writes the page's service worker from its template (web/service-worker.js):
# the files it keeps, and a version taken from their names and content, so
# that a new build gets a new cache and an unchanged one keeps its own.
#
#   cmake -DTEMPLATE=web/service-worker.js -DFOLDER=build/wasi/web
#         -DFILES=index.html,style.css,... -P cmake/ServiceWorker.cmake
string(REPLACE "," ";" names "${FILES}")
set(content "")
set(quoted "'./'")
foreach(name IN LISTS names)
  file(SHA256 ${FOLDER}/${name} hash)
  string(APPEND content "${name} ${hash}\n")
  string(APPEND quoted ", '${name}'")
endforeach()
file(SHA256 ${TEMPLATE} hash)
string(APPEND content "service-worker.js ${hash}\n")
string(SHA256 VERSION "${content}")
string(SUBSTRING ${VERSION} 0 16 VERSION)
set(FILES ${quoted})
# Left untouched when nothing changed.
configure_file(${TEMPLATE} ${FOLDER}/service-worker.js @ONLY)
