# Writes the service worker of the built page, SITE/sw.js, from the template TEMPLATE: its cache
# is named after the build, a hash of the names and contents of FILES (the page's own files,
# relative to SITE), and it keeps exactly those files.
#   cmake -DSITE=site -DTEMPLATE=ui/web/sw.js -DFILES=index.html,style.css -P worker.cmake
string(REPLACE "," ";" FILES "${FILES}")
set(contents "")
foreach(file IN LISTS FILES)
    file(SHA256 ${SITE}/${file} hash)
    string(APPEND contents "${file} ${hash}\n")
endforeach()
string(SHA256 build "${contents}")
string(SUBSTRING ${build} 0 16 QUILLON_BUILD)
# The names go in comma-joined, inside a string, so that the template is a script as it stands.
list(JOIN FILES "," QUILLON_FILES)
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
