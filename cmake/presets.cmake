# Writes cmake/platform-presets.json, which CMakePresets.json includes: for
# each row of cmake/platforms.cmake, a configure, build, test and package
# preset and a workflow that runs them, all named after the row.
#
#   cmake -P cmake/presets.cmake            rewrites the file
#   cmake -DOUTPUT=FILE -P cmake/presets.cmake   writes FILE instead (CI
#                                           compares it with the committed one)

include(${CMAKE_CURRENT_LIST_DIR}/platforms.cmake)
if(NOT OUTPUT)
  set(OUTPUT ${CMAKE_CURRENT_LIST_DIR}/platform-presets.json)
endif()

# The settings every cross build shares, and the one line a preset of a row
# adds to them.
set(configure [=[
    {
      "name": "cross",
      "hidden": true,
      "binaryDir": "${sourceDir}/build/${presetName}",
      "toolchainFile": "${sourceDir}/cmake/toolchain.cmake",
      "cacheVariables": {
        "FUEL_ECONOMY_PLATFORM": "${presetName}",
        "CMAKE_BUILD_TYPE": "Release",
        "FUEL_ECONOMY_STATIC": "ON",
        "FUEL_ECONOMY_GTEST_FROM_SOURCE": "ON",
        "CMAKE_COMPILE_WARNING_AS_ERROR": "$env{CI}"
      }
    }]=])
set(build "")
set(test "")
set(package "")
set(workflow "")

foreach(row IN LISTS fuelEconomyPlatforms)
  string(REGEX MATCH "^[^ ]+" name "${row}")
  fuelEconomyPlatform(${name} platform)
  if(platform_system STREQUAL "linux")
    set(title "Linux ${name}, cross-built with ${platform_triple}-g++ and tested under qemu-user")
    set(extra "")
  elseif(platform_system STREQUAL "wasi")
    set(title "WebAssembly (WASI), built with clang and tested under Node and in Chromium")
    set(extra "")
  else()
    set(title "Windows ${platform_processor}, cross-built with MinGW-w64 and tested under Wine")
    # Each Windows build has a Wine prefix of its own, never a user's ~/.wine.
    if(platform_processor STREQUAL "x86_64")
      set(wineArch win64)
    else()
      set(wineArch win32)
    endif()
    set(extra ",\n      \"environment\": {\"WINEPREFIX\": \"\${sourceDir}/build/\${presetName}/wine\", \"WINEARCH\": \"${wineArch}\"}")
  endif()
  if(platform_link STREQUAL "dynamic")
    string(APPEND extra ",\n      \"cacheVariables\": {\"FUEL_ECONOMY_STATIC\": \"OFF\"}")
  endif()
  string(APPEND configure ",\n    {\"name\": \"${name}\", \"inherits\": \"cross\",\n"
                          "      \"displayName\": \"${title}\"${extra}}")
  set(uses "\"name\": \"${name}\", \"configurePreset\": \"${name}\"")
  string(APPEND build ",\n    {${uses}}")
  string(APPEND test ",\n    {${uses}, \"output\": {\"outputOnFailure\": true}}")
  string(APPEND package ",\n    {${uses}}")
  set(steps "")
  foreach(step IN ITEMS configure build test package)
    string(APPEND steps ", {\"type\": \"${step}\", \"name\": \"${name}\"}")
  endforeach()
  string(SUBSTRING "${steps}" 2 -1 steps)
  string(APPEND workflow ",\n    {\"name\": \"${name}\", \"steps\": [\n      ${steps}]}")
endforeach()

foreach(kind IN ITEMS build test package workflow)
  string(SUBSTRING "${${kind}}" 1 -1 ${kind})
endforeach()
file(WRITE ${OUTPUT} "{
  \"vendor\": {
    \"fuel-economy\": \"Written by cmake/presets.cmake from the table in cmake/platforms.cmake: edit those, then run cmake -P cmake/presets.cmake\"
  },
  \"version\": 6,
  \"configurePresets\": [
${configure}
  ],
  \"buildPresets\": [${build}
  ],
  \"testPresets\": [${test}
  ],
  \"packagePresets\": [${package}
  ],
  \"workflowPresets\": [${workflow}
  ]
}
")
