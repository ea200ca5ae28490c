# Debian's compiler and linker flags, as dpkg-buildflags gives them to a
# package build, with every hardening feature: the default ones (fortified
# functions, stack protector, format checks, read-only relocations) and
# immediate binding, which Debian 12 leaves off but lintian asks for.
foreach(variable CPPFLAGS CXXFLAGS LDFLAGS)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get ${variable}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    OUTPUT_VARIABLE drapeaux_${variable} OUTPUT_STRIP_TRAILING_WHITESPACE
    COMMAND_ERROR_IS_FATAL ANY)
endforeach()
string(APPEND CMAKE_CXX_FLAGS " ${drapeaux_CPPFLAGS} ${drapeaux_CXXFLAGS}")
string(APPEND CMAKE_EXE_LINKER_FLAGS " ${drapeaux_LDFLAGS}")
