# Run by CPack before it builds a package: Debian wants manual pages and the
# changelog gzipped at the highest compression, without a time stamp.
file(GLOB_RECURSE pages "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*.1" "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/changelog")
foreach(page ${pages})
  execute_process(COMMAND gzip -9nf "${page}" RESULT_VARIABLE resultat)
  if(NOT resultat EQUAL 0)
    message(FATAL_ERROR "gzip ${page}: ${resultat}")
  endif()
endforeach()
