# A configure of an unchanged tree changes no file of the layers' header views (links and the
# written version.h), so that a build after it compiles and links nothing; a link that points
# elsewhere is mended and the link of a header that is gone is removed.
#   cmake -DSOURCE=<tree> -DWORK=<folder> -DGENERATOR=<generator> -P reconfigure.cmake
# WORK is emptied first. The tree is configured without its tests, which is enough for the
# layers.
function(configure)
  execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE} -B ${WORK} -G ${GENERATOR}
                          -DQIVO_BUILD_TESTS=OFF
                  RESULT_VARIABLE failed OUTPUT_QUIET ERROR_VARIABLE errors)
  if(failed)
    message(FATAL_ERROR "configure failed: ${errors}")
  endif()
endfunction()

file(REMOVE_RECURSE ${WORK})
configure()
set(view ${WORK}/layers/qivo_store/store)
file(REMOVE ${view}/ledger.h)
file(CREATE_LINK ${SOURCE}/src/store/amounts.h ${view}/ledger.h SYMBOLIC)
file(CREATE_LINK ${SOURCE}/src/store/gone.h ${view}/gone.h SYMBOLIC)
configure()
file(READ_SYMLINK ${view}/ledger.h target)
if(NOT target STREQUAL "${SOURCE}/src/store/ledger.h")
  message(FATAL_ERROR "ledger.h links ${target}")
endif()
if(IS_SYMLINK ${view}/gone.h)
  message(FATAL_ERROR "the link of a removed header stays")
endif()

file(TOUCH ${WORK}/before-configure)
configure()
# Links are looked at themselves, not at the headers they point to; folders may see a
# temporary file come and go.
execute_process(COMMAND find ${WORK}/layers ! -type d -newer ${WORK}/before-configure
                OUTPUT_VARIABLE changed OUTPUT_STRIP_TRAILING_WHITESPACE)
if(changed)
  message(FATAL_ERROR "a configure of an unchanged tree changed:\n${changed}")
endif()
