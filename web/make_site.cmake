# Puts the static site together: the page's files beside the built module and
# the index.html and stylesheet that make_page wrote, and the offline copy's
# service worker, whose cache is named by the files' hash.
#   cmake -DSOURCE=web/site -DSITE=build/web/site -DICONS="a.png;b.svg" -P make_site.cmake
foreach(file manifest.webmanifest)
    configure_file(${SOURCE}/${file} ${SITE}/${file} COPYONLY)
endforeach()
foreach(icon ${ICONS})
    get_filename_component(name ${icon} NAME)
    configure_file(${icon} ${SITE}/${name} COPYONLY)
endforeach()

set(kept index.html sorvane.css manifest.webmanifest sorvane.js sorvane.wasm)
foreach(icon ${ICONS})
    get_filename_component(name ${icon} NAME)
    list(APPEND kept ${name})
endforeach()
set(hashes "")
set(SORVANE_SITE_FILES "'./'")
foreach(file ${kept})
    file(SHA256 ${SITE}/${file} hash)
    string(APPEND hashes ${hash})
    string(APPEND SORVANE_SITE_FILES ", '${file}'")
endforeach()
string(SHA256 SORVANE_SITE_HASH "${hashes}")
string(SUBSTRING ${SORVANE_SITE_HASH} 0 16 SORVANE_SITE_HASH)
configure_file(${SOURCE}/sw.js.in ${SITE}/sw.js @ONLY)

# Beside each file that compresses, the copies a host may send in its place:
# brotli at its best, and gzip without a name or date, so that the same site
# gives the same bytes.
if(BROTLI AND GZIP)
    foreach(file index.html sorvane.css manifest.webmanifest sorvane.js sorvane.wasm sorvane.svg sw.js)
        execute_process(COMMAND ${BROTLI} --quality=11 --force --output=${SITE}/${file}.br ${SITE}/${file}
                        COMMAND_ERROR_IS_FATAL ANY)
        execute_process(COMMAND ${GZIP} -9 -n -c ${SITE}/${file} OUTPUT_FILE ${SITE}/${file}.gz
                        COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
endif()
