# Puts the static site together: the page's files beside the built module and
# the index.html and stylesheet that make_page wrote, and the offline copy's
# service worker, whose cache is named by the files' hash.
# The PNG icons a phone installs the page with are drawn from the SVG here.
#   cmake -DSOURCE=web/site -DSITE=build/web/site -DICONS="a.png;b.svg" \
#         -DSVG=data/sorvane.svg -DRSVG=rsvg-convert -DPNGQUANT=pngquant -P make_site.cmake
foreach(file manifest.webmanifest)
    configure_file(${SOURCE}/${file} ${SITE}/${file} COPYONLY)
endforeach()
foreach(icon ${ICONS})
    get_filename_component(name ${icon} NAME)
    configure_file(${icon} ${SITE}/${name} COPYONLY)
endforeach()

# name, size, drawing size, background: a transparent icon, or one filled to
# its edges (Android's maskable icon, whose drawing stays inside the middle
# 70 %, and iOS's, which the system rounds itself). Palette PNGs, with no date
# in them: the same SVG gives the same bytes.
set(install_icons
    "icon-192.png|192|192|"
    "icon-512.png|512|512|"
    "icon-maskable-512.png|512|358|#ffe0c0"
    "apple-touch-icon.png|180|152|#ffe0c0")
foreach(entry ${install_icons})
    string(REPLACE "|" ";" entry "${entry}")
    list(GET entry 0 name)
    list(GET entry 1 size)
    list(GET entry 2 drawing)
    list(LENGTH entry fields)
    set(background "")
    if(fields GREATER 3)
        list(GET entry 3 colour)
        if(colour)
            math(EXPR inset "(${size} - ${drawing}) / 2")
            set(background --page-width ${size} --page-height ${size} --left ${inset} --top ${inset}
                           --background-color ${colour})
        endif()
    endif()
    execute_process(COMMAND ${RSVG} --width ${drawing} --height ${drawing} ${background}
                            --output ${SITE}/${name}.full ${SVG}
                    COMMAND_ERROR_IS_FATAL ANY)
    execute_process(COMMAND ${PNGQUANT} --force --strip --speed 1 --output ${SITE}/${name} 256 ${SITE}/${name}.full
                    COMMAND_ERROR_IS_FATAL ANY)
    file(REMOVE ${SITE}/${name}.full)
endforeach()

# What the offline copy keeps: what a visit fetches. The PNG icons serve an install alone.
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
