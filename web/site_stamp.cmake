# Writes the site's service worker: its cache is named by a hash of the site's files, so that a
# new build replaces the cache of the old one. Run after the modules are linked:
#   cmake -DSITE=<site folder> -DTEMPLATE=<sw.js.in> -P site_stamp.cmake
file(GLOB files RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM files sw.js)
list(SORT files)
set(all "")
set(names "")
foreach(f ${files})
  file(SHA256 ${SITE}/${f} h)
  string(APPEND all "${f}:${h}\n")
  string(APPEND names "${sep}'${f}'")
  set(sep ", ")
endforeach()
string(SHA256 KEMI_SITE_BUILD "${all}")
string(SUBSTRING ${KEMI_SITE_BUILD} 0 16 KEMI_SITE_BUILD)
set(KEMI_SITE_FILES "${names}")
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
