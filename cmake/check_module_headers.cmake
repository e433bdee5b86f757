# Fails when a module includes a header that another module keeps private.
#
# A module's private headers (its records, stores and internal helpers) are
# every header it does not name after EXPORTS in cmake/modules.cmake. Two
# rules follow:
#   - a file of src/<module>/ includes another module's header only when
#     that module exports it;
#   - an exported header includes only exported headers, so that no record
#     reaches another module through one.
# Run as: cmake -DSOURCE_DIR=<repository> -DEXPORTS_FILE=<list> [-DSTAMP=<file>] -P <this file>
# EXPORTS_FILE sets ORV_MODULES and ORV_EXPORTS_<module> (header names
# relative to src/<module>/).

cmake_minimum_required(VERSION 3.25)
include(${EXPORTS_FILE})

function(exported module header result)
  set(${result} FALSE PARENT_SCOPE)
  if(header IN_LIST ORV_EXPORTS_${module})
    set(${result} TRUE PARENT_SCOPE)
  endif()
endfunction()

set(violations "")
foreach(module ${ORV_MODULES})
  file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR}/src/${module}
       ${SOURCE_DIR}/src/${module}/*.cpp ${SOURCE_DIR}/src/${module}/*.h)
  foreach(file ${files})
    set(path src/${module}/${file})
    exported(${module} ${file} file_exported)
    file(STRINGS ${SOURCE_DIR}/${path} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<][a-z0-9_]+/")
    foreach(line ${includes})
      string(REGEX MATCH "[\"<]([a-z0-9_]+)/([^\">]+)[\">]" _ "${line}")
      set(owner ${CMAKE_MATCH_1})
      set(header ${CMAKE_MATCH_2})
      if(NOT owner IN_LIST ORV_MODULES)
        continue() # the public headers and the system's
      endif()
      exported(${owner} ${header} header_exported)
      if(header_exported)
        continue()
      endif()
      if(NOT owner STREQUAL module)
        list(APPEND violations
             "${path} includes ${owner}/${header}, which the ${owner} module keeps private")
      elseif(file_exported)
        list(APPEND violations
             "${path} is exported but includes ${owner}/${header}, which the ${owner} module keeps private")
      endif()
    endforeach()
  endforeach()
endforeach()

if(violations)
  list(JOIN violations "\n  " text)
  message(FATAL_ERROR "Private headers used outside their module:\n  ${text}\n"
          "Call a function the owning module exports (EXPORTS in cmake/modules.cmake) instead.")
endif()
if(STAMP)
  file(TOUCH ${STAMP})
endif()
