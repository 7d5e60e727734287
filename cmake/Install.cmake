# What an install puts where, in components, and the packages made of them:
#   program     the program
#   manual      its man page, as it is
#   packaged    for the packages only: the man page and changelog compressed
#               and Debian's copyright file (Unix), from packaging/debian
#   licence     for the packages only: LICENSE (and on Windows the README)
#   lintian     for the .deb only: the package's lintian overrides
# A plain cmake --install puts the program and its man page in place and
# nothing else, as distributions want: they compress man pages their own
# way and write their own copyright and changelog. Each package takes the
# components its format wants (cmake/PackageContents.cmake.in).

set(CPACK_PACKAGE_CONTACT "The fuel-economy developers <maintainers@fuel-economy.invalid>")

if(WIN32 OR WASI)
  # A zip to unpack anywhere: the program beside its README and licence, and
  # for WebAssembly, the page that runs it (a folder to serve).
  install(TARGETS fuel-economy RUNTIME DESTINATION . COMPONENT program)
  if(WASI)
    install(FILES ${fuelEconomyWebFiles} DESTINATION . COMPONENT program)
  endif()
  install(FILES README.md DESTINATION . COMPONENT licence EXCLUDE_FROM_ALL)
  install(FILES LICENSE DESTINATION . RENAME LICENSE.txt COMPONENT licence
          EXCLUDE_FROM_ALL)
else()
  install(TARGETS fuel-economy RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
          COMPONENT program)
  configure_file(man/fuel-economy.1.in fuel-economy.1 @ONLY)
  set(manPage ${CMAKE_CURRENT_BINARY_DIR}/fuel-economy.1)
  install(FILES ${manPage} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT manual)

  # Debian wants the packaged man page and changelog compressed, without a
  # name or time stamp in the gzip header so that builds are reproducible.
  find_program(FUEL_ECONOMY_GZIP gzip)
  set(changelog ${CMAKE_CURRENT_SOURCE_DIR}/packaging/debian/changelog)
  if(FUEL_ECONOMY_GZIP)
    foreach(file IN ITEMS manPage changelog)
      get_filename_component(name ${${file}} NAME)
      set(compressed ${CMAKE_CURRENT_BINARY_DIR}/packaged/${name}.gz)
      add_custom_command(OUTPUT ${compressed}
        COMMAND ${FUEL_ECONOMY_GZIP} -n -9 -c ${${file}} > ${compressed}
        DEPENDS ${${file}} VERBATIM)
      set(${file} ${compressed})
    endforeach()
    file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/packaged)
    add_custom_target(compressed-docs ALL DEPENDS ${manPage} ${changelog})
  endif()
  install(FILES ${manPage} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
          COMPONENT packaged EXCLUDE_FROM_ALL)
  install(FILES ${changelog} DESTINATION ${CMAKE_INSTALL_DOCDIR}
          COMPONENT packaged EXCLUDE_FROM_ALL)

  # The Debian source packaging's own copyright file, with the licence in
  # it as Debian wants.
  install(FILES packaging/debian/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR}
          COMPONENT packaged EXCLUDE_FROM_ALL)
  install(FILES LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR}
          COMPONENT licence EXCLUDE_FROM_ALL)
  # Only the .deb, where lintian looks for it, takes this.
  if(fuelEconomyLinkage)
    install(FILES packaging/lintian-overrides DESTINATION share/lintian/overrides
            RENAME ${PROJECT_NAME} COMPONENT lintian EXCLUDE_FROM_ALL)
  endif()
endif()

set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VENDOR "The fuel-economy developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_CURRENT_SOURCE_DIR}/LICENSE)
# Lines of at most 80 columns, as Debian's control files want them.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "An interactive console program: it asks for the gasoline used on a trip\n"
  "and the odometer's readings at its start and end, and writes the trip's\n"
  "miles per gallon and kilometres per litre.")
# A WebAssembly program is stripped as it is linked (cmake/WebAssembly.cmake).
if(NOT WASI)
  set(CPACK_STRIP_FILES ON)
endif()
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_BINARY_DIR}/PackageContents.cmake)

if(WIN32 OR WASI)
  set(CPACK_GENERATOR ZIP)
else()
  set(CPACK_GENERATOR DEB TGZ)
  set(CPACK_SYSTEM_NAME ${CMAKE_SYSTEM_NAME}-${CMAKE_SYSTEM_PROCESSOR})
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  if(CMAKE_CROSSCOMPILING)
    # dpkg answers for this machine; the toolchain file names the target.
    if(FUEL_ECONOMY_DEBIAN_ARCHITECTURE)
      set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${FUEL_ECONOMY_DEBIAN_ARCHITECTURE})
      # dpkg-shlibdeps knows only this machine's libraries: the Depends of a
      # dynamically linked cross build are worked out when it is packaged.
      if(NOT fuelEconomyLinkage)
        set(fuelEconomyCrossLibraries ${CMAKE_FIND_ROOT_PATH}/lib)
      endif()
    endif()
  else()
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  endif()
endif()
configure_file(cmake/PackageContents.cmake.in PackageContents.cmake.in @ONLY)
file(GENERATE OUTPUT ${CPACK_PROJECT_CONFIG_FILE}
     INPUT ${CMAKE_CURRENT_BINARY_DIR}/PackageContents.cmake.in)
include(CPack)
