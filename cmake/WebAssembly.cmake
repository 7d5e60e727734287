# A WASI build: fuel-economy.wasm as small as the tools make it, and the page
# that runs it in a browser (web/), gathered with it in the build's web/
# folder, which any static file server serves as it is.

# The page's test, one for each browser engine found here (test/browser),
# where the test's npm packages are: Page.InChromium, Page.InFirefox and
# Page.InWebKit; and Lighthouse's audits, in Chromium: Page.Lighthouse.
function(fuelEconomyPageTest)
  if(NOT EXISTS ${PROJECT_SOURCE_DIR}/test/browser/node_modules/puppeteer-core)
    message(STATUS "The page's tests are left out: they need npm ci in test/browser")
    return()
  endif()
  find_program(FUEL_ECONOMY_CHROMIUM NAMES chromium chromium-browser)
  find_program(FUEL_ECONOMY_FIREFOX NAMES firefox-esr firefox)
  find_program(FUEL_ECONOMY_WEBKIT_WEBDRIVER WebKitWebDriver)
  find_program(FUEL_ECONOMY_XVFB_RUN xvfb-run)
  if(NOT FUEL_ECONOMY_XVFB_RUN)
    set(FUEL_ECONOMY_WEBKIT_WEBDRIVER FUEL_ECONOMY_WEBKIT_WEBDRIVER-NOTFOUND)
  endif()
  foreach(engine IN ITEMS Chromium Firefox WebKit)
    string(TOUPPER ${engine} variable)
    set(program ${FUEL_ECONOMY_${variable}})
    if(engine STREQUAL "WebKit")
      set(program ${FUEL_ECONOMY_WEBKIT_WEBDRIVER})
      set(variable WEBKIT_WEBDRIVER)
    endif()
    if(NOT program)
      message(STATUS "Page.In${engine} is left out: its browser is not here")
      continue()
    endif()
    string(TOLOWER ${engine} name)
    add_test(NAME Page.In${engine}
             COMMAND ${FUEL_ECONOMY_NODE} ${PROJECT_SOURCE_DIR}/test/browser/page_test.mjs
                     ${name} ${PROJECT_BINARY_DIR}/web)
    set_tests_properties(Page.In${engine} PROPERTIES ENVIRONMENT ${variable}=${program})
  endforeach()
  if(FUEL_ECONOMY_CHROMIUM)
    add_test(NAME Page.Lighthouse
             COMMAND ${FUEL_ECONOMY_NODE} ${PROJECT_SOURCE_DIR}/test/browser/lighthouse.mjs
                     ${PROJECT_BINARY_DIR}/web)
    set_tests_properties(Page.Lighthouse PROPERTIES ENVIRONMENT CHROMIUM=${FUEL_ECONOMY_CHROMIUM})
  endif()
endfunction()

if(NOT WASI)
  return()
endif()

# Names and debugging sections are of no use to a browser.
target_link_options(fuel-economy PRIVATE -Wl,--strip-all)
find_program(FUEL_ECONOMY_WASM_OPT wasm-opt)
if(FUEL_ECONOMY_WASM_OPT)
  # The tests run the optimised program, the one that is shipped.
  add_custom_command(TARGET fuel-economy POST_BUILD
    COMMAND ${FUEL_ECONOMY_WASM_OPT} -Oz $<TARGET_FILE:fuel-economy>
            -o $<TARGET_FILE:fuel-economy>
    VERBATIM)
else()
  message(STATUS "No wasm-opt (Debian's binaryen): fuel-economy.wasm is left as linked")
endif()

# The page: its files as they are, its icons drawn from the SVG, and its
# service worker, written last since it names every other file and takes
# its version from their content (cmake/ServiceWorker.cmake).
set(webSources index.html style.css wasi.js fuel-economy.js fuel-economy.webmanifest icon.svg)
set(webRoot ${PROJECT_BINARY_DIR}/web)
file(MAKE_DIRECTORY ${webRoot})
set(webFiles fuel-economy.wasm)
add_custom_command(OUTPUT ${webRoot}/fuel-economy.wasm
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:fuel-economy> ${webRoot}/
  DEPENDS fuel-economy VERBATIM)
foreach(name IN LISTS webSources)
  add_custom_command(OUTPUT ${webRoot}/${name}
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/web/${name} ${webRoot}/
    DEPENDS web/${name} VERBATIM)
  list(APPEND webFiles ${name})
endforeach()
find_program(FUEL_ECONOMY_RSVG_CONVERT rsvg-convert)
if(NOT FUEL_ECONOMY_RSVG_CONVERT)
  message(FATAL_ERROR "The page's icons need rsvg-convert (Debian's librsvg2-bin)")
endif()
foreach(size IN ITEMS 192 512)
  add_custom_command(OUTPUT ${webRoot}/icon-${size}.png
    COMMAND ${FUEL_ECONOMY_RSVG_CONVERT} -w ${size} -h ${size} -o ${webRoot}/icon-${size}.png
            ${PROJECT_SOURCE_DIR}/web/icon.svg
    DEPENDS web/icon.svg VERBATIM)
  list(APPEND webFiles icon-${size}.png)
endforeach()
list(TRANSFORM webFiles PREPEND ${webRoot}/ OUTPUT_VARIABLE webPaths)
string(REPLACE ";" "," webNames "${webFiles}")
add_custom_command(OUTPUT ${webRoot}/service-worker.js
  COMMAND ${CMAKE_COMMAND} -DTEMPLATE=${PROJECT_SOURCE_DIR}/web/service-worker.js
          -DFOLDER=${webRoot} -DFILES=${webNames}
          -P ${PROJECT_SOURCE_DIR}/cmake/ServiceWorker.cmake
  DEPENDS web/service-worker.js cmake/ServiceWorker.cmake ${webPaths} VERBATIM)
add_custom_target(web-page ALL DEPENDS ${webPaths} ${webRoot}/service-worker.js)

# What the zip and an install hold beside the program.
list(REMOVE_ITEM webPaths ${webRoot}/fuel-economy.wasm)
set(fuelEconomyWebFiles ${webPaths} ${webRoot}/service-worker.js)
