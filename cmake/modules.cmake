# The toolkit's modules and the dependency graph between them.
#
# Each src/<module>/ (with its subfolders) is an object library. A module sees
# the private headers of the modules below it and of no other: its include
# directory holds links to exactly those source folders. A module calls only
# the modules below it: its objects, linked with theirs alone into a throwaway
# shared object with --no-undefined, must resolve every symbol, so an upward
# call fails the build. Where a lower module must tell a higher one something,
# the higher one registers a callback at start-up.
#
# A module's records and internal helpers stay inside it: the headers other
# modules may include are the ones it names after EXPORTS, each a small API
# of functions. The build checks every include against these lists
# (cmake/check_module_headers.cmake).
#
# Adding a module is one orv_module() line, placed above the modules it uses.

set(ORV_MODULES "")
set(ORV_MODULE_INCLUDES ${CMAKE_BINARY_DIR}/module_includes)

# orv_module(<name> [USES <module>...] [LIBS <external library>...]
#            [EXPORTS <header>...])
function(orv_module name)
  cmake_parse_arguments(ARG "" "" "USES;LIBS;EXPORTS" ${ARGN})
  foreach(header ${ARG_EXPORTS})
    if(NOT EXISTS ${CMAKE_SOURCE_DIR}/src/${name}/${header})
      message(FATAL_ERROR "Module ${name} exports ${header}, which it does not have")
    endif()
  endforeach()
  set(ORV_EXPORTS_${name} ${ARG_EXPORTS} PARENT_SCOPE)
  # The modules it may use: the named ones and everything they may use.
  set(closure "")
  foreach(dep ${ARG_USES})
    if(NOT TARGET orv_${dep})
      message(FATAL_ERROR "Module ${name} uses ${dep}, which is not declared below it")
    endif()
    list(APPEND closure ${dep} ${ORV_MODULE_CLOSURE_${dep}})
  endforeach()
  list(REMOVE_DUPLICATES closure)
  set(ORV_MODULE_CLOSURE_${name} ${closure} PARENT_SCOPE)

  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${name}/*.cpp)
  add_library(orv_${name} OBJECT ${sources})
  set_target_properties(orv_${name} PROPERTIES POSITION_INDEPENDENT_CODE ON
    CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  target_compile_definitions(orv_${name} PRIVATE ORV_BUILDING)

  set(include_dir ${ORV_MODULE_INCLUDES}/${name})
  file(REMOVE_RECURSE ${include_dir})
  file(MAKE_DIRECTORY ${include_dir})
  foreach(visible ${name} ${closure})
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${visible} ${include_dir}/${visible} SYMBOLIC)
  endforeach()
  target_include_directories(orv_${name} PRIVATE ${include_dir})
  target_include_directories(orv_${name} PUBLIC
    $<BUILD_INTERFACE:${CMAKE_SOURCE_DIR}/include>)
  target_link_libraries(orv_${name} PUBLIC ${ARG_LIBS})
  foreach(dep ${ARG_USES})
    target_link_libraries(orv_${name} PUBLIC orv_${dep})
  endforeach()

  # Linking an object library passes on no objects, so the libraries made
  # from modules take the objects and the external libraries themselves.
  set(libs ${ARG_LIBS})
  foreach(dep ${closure})
    list(APPEND libs ${ORV_MODULE_LIBS_${dep}})
  endforeach()
  list(REMOVE_DUPLICATES libs)
  set(ORV_MODULE_LIBS_${name} ${libs} PARENT_SCOPE)

  # The check: this module with only what it may use, every symbol resolved.
  set(objects $<TARGET_OBJECTS:orv_${name}>)
  foreach(dep ${closure})
    list(APPEND objects $<TARGET_OBJECTS:orv_${dep}>)
  endforeach()
  add_library(orv_${name}_layering SHARED ${objects})
  target_link_libraries(orv_${name}_layering PRIVATE ${libs})
  # clang links its sanitizer runtimes into programs only, so that their
  # symbols stay undefined in a shared object: the normal build checks.
  if(NOT ORV_UBSAN AND NOT ORV_FUZZ)
    target_link_options(orv_${name}_layering PRIVATE -Wl,--no-undefined)
  endif()
  set_target_properties(orv_${name}_layering PROPERTIES
    LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/layering)

  set(ORV_MODULES ${ORV_MODULES} ${name} PARENT_SCOPE)
endfunction()

# Bottom first. A module names the modules it uses directly; it may use
# everything below those too.
orv_module(platform LIBS SDL2::SDL2 ${CMAKE_DL_LIBS}
  EXPORTS platform.h window_messages.h)
orv_module(core USES platform
  EXPORTS file_extension.h finite.h object.h object_watch.h text_token.h tokenizer.h)
orv_module(math USES core EXPORTS quat_valid.h vec3.h)
orv_module(state USES math EXPORTS universe_state.h)
orv_module(texture USES state LIBS JPEG::JPEG
  EXPORTS texture_access.h texture_resize.h texture_upload.h)
orv_module(geometry USES texture
  EXPORTS geometry_access.h geometry_builder.h geometry_hooks.h geometry_passes.h
          mtable_access.h record_pool.h texture_vertices.h)
orv_module(scene USES geometry
  EXPORTS event_switch.h event_system.h light_state.h payload_nodes.h property_adapters.h
          property_protocol.h property_table.h scene_hooks.h scene_queries.h traversal_state.h)
orv_module(viewpoint USES scene EXPORTS viewpoint_access.h viewpoint_windows.h)
orv_module(vrml USES viewpoint EXPORTS vrml_writer.h)
orv_module(files USES vrml LIBS assimp::assimp
  EXPORTS bnff_reader.h load_scale.h nff_reader.h nff_writer.h)
orv_module(text3d USES files)
orv_module(render USES viewpoint LIBS OpenGL::GL OpenGL::GLU PNG::PNG
  EXPORTS list_names.h render_config.h render_data.h window_access.h window_procedure.h)
orv_module(draw2d USES render LIBS Freetype::Freetype Fontconfig::Fontconfig
  EXPORTS font_table.h)
orv_module(input USES render)
orv_module(objects USES files EXPORTS portal_list.h stationary_object.h)
orv_module(paths USES input EXPORTS path_access.h)
orv_module(net USES core)
orv_module(universe USES paths objects text3d net draw2d)

# The include check, run by every build that changed a source file and by
# the tests.
set(ORV_EXPORTS_FILE ${CMAKE_BINARY_DIR}/module_exports.cmake)
set(exports_text "set(ORV_MODULES ${ORV_MODULES})\n")
foreach(module ${ORV_MODULES})
  string(APPEND exports_text "set(ORV_EXPORTS_${module} ${ORV_EXPORTS_${module}})\n")
endforeach()
file(CONFIGURE OUTPUT ${ORV_EXPORTS_FILE} CONTENT "${exports_text}")
set(ORV_HEADER_CHECK_ARGS -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -DEXPORTS_FILE=${ORV_EXPORTS_FILE})
set(ORV_HEADER_CHECK_SCRIPT ${CMAKE_SOURCE_DIR}/cmake/check_module_headers.cmake)
file(GLOB_RECURSE ORV_MODULE_SOURCES CONFIGURE_DEPENDS
     ${CMAKE_SOURCE_DIR}/src/*.cpp ${CMAKE_SOURCE_DIR}/src/*.h)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/module_headers.stamp
  COMMAND ${CMAKE_COMMAND} ${ORV_HEADER_CHECK_ARGS}
          -DSTAMP=${CMAKE_BINARY_DIR}/module_headers.stamp -P ${ORV_HEADER_CHECK_SCRIPT}
  DEPENDS ${ORV_MODULE_SOURCES} ${ORV_EXPORTS_FILE} ${ORV_HEADER_CHECK_SCRIPT}
  COMMENT "Checking that no module includes another's private headers"
  VERBATIM)
add_custom_target(orv_module_headers ALL DEPENDS ${CMAKE_BINARY_DIR}/module_headers.stamp)
