# The changelog is where a release is written by hand: its latest entry must
# be the project's version, and its date dates the manual page. Sets
# CRASH2VEP_MOIS_PUBLICATION, that date's month and year in French ("decembre 2026").
file(STRINGS ${PROJECT_SOURCE_DIR}/packaging/changelog entrees REGEX "^crash2vep \\(| -- ")
list(GET entrees 0 titre)
list(GET entrees 1 signature)
string(REGEX MATCH "\\(([^)]*)\\)" _ "${titre}")
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "packaging/changelog: the latest entry is ${CMAKE_MATCH_1}, "
    "the project is ${PROJECT_VERSION}; write the release's entry first")
endif()
if(NOT signature MATCHES ", [0-9]+ ([A-Z][a-z][a-z]) ([0-9]+) ")
  message(FATAL_ERROR "packaging/changelog: no date in \"${signature}\"")
endif()
set(mois_anglais Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
set(mois_francais janvier fevrier mars avril mai juin juillet aout septembre octobre novembre decembre)
list(FIND mois_anglais ${CMAKE_MATCH_1} numero)
list(GET mois_francais ${numero} mois)
set(CRASH2VEP_MOIS_PUBLICATION "${mois} ${CMAKE_MATCH_2}")
