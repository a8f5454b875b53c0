# SPDX-License-Identifier: GPL-3.0-or-later
# Renders one picture: cmake -P render.cmake with
#   TEMPLATE  the SVG source, with @NAME@ placeholders
#   PALETTES  ;-list of palette files (set() commands), later ones win
#   GLYPHS    the folder of SVG fragments that "glyph:NAME" parameters insert
#   PARAMS    ;-list of NAME=VALUE parameters for the placeholders
#   OUTPUT    the 1x picture (".png" or ".jpg")
#   OUTPUT2X  the 2x picture, or empty when only one size is made
#   PIXELS    a fixed width and height in pixels instead of the SVG's own size
#   WORK      a scratch file name outside the resource folder
#   RSVG, CONVERT  the programs
# The placeholders are filled a few times over, so that a parameter or a glyph
# may itself name a palette colour or another parameter.
cmake_minimum_required(VERSION 3.25)

string(REPLACE "|" ";" PALETTES "${PALETTES}")
string(REPLACE "|" ";" PARAMS "${PARAMS}")
foreach(palette IN LISTS PALETTES)
  include(${palette})
endforeach()
foreach(param IN LISTS PARAMS)
  string(FIND "${param}" "=" eq)
  string(SUBSTRING "${param}" 0 ${eq} name)
  math(EXPR start "${eq} + 1")
  string(SUBSTRING "${param}" ${start} -1 value)
  if(value MATCHES "^glyph:(.+)$")
    file(READ ${GLYPHS}/${CMAKE_MATCH_1}.svg value)
  endif()
  set(${name} "${value}")
endforeach()

file(READ ${TEMPLATE} svg)
foreach(pass RANGE 3)
  string(CONFIGURE "${svg}" svg @ONLY)
endforeach()
if(svg MATCHES "@[A-Z_0-9]+@")
  message(FATAL_ERROR "${TEMPLATE}: no value for ${CMAKE_MATCH_0} (${OUTPUT})")
endif()

get_filename_component(dir ${OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${dir})
get_filename_component(work_dir ${WORK} DIRECTORY)
file(MAKE_DIRECTORY ${work_dir})
set(work ${WORK})
file(WRITE ${work}.svg "${svg}")

function(render zoom target)
  get_filename_component(ext ${target} LAST_EXT)
  set(png ${target})
  if(ext STREQUAL ".jpg")
    set(png ${work}.png)
  endif()
  if(PIXELS)
    set(size -w ${PIXELS} -h ${PIXELS})
  else()
    set(size -z ${zoom})
  endif()
  execute_process(COMMAND ${RSVG} ${size} -f png -o ${png}.tmp ${work}.svg
                  RESULT_VARIABLE failed ERROR_VARIABLE error)
  if(failed)
    message(FATAL_ERROR "rsvg-convert failed on ${TEMPLATE} for ${target}: ${error}")
  endif()
  file(RENAME ${png}.tmp ${png})
  if(ext STREQUAL ".jpg")
    execute_process(COMMAND ${CONVERT} ${png} -background white -flatten -quality 90
                            ${target}.tmp.jpg
                    RESULT_VARIABLE failed ERROR_VARIABLE error)
    if(failed)
      message(FATAL_ERROR "convert failed for ${target}: ${error}")
    endif()
    file(RENAME ${target}.tmp.jpg ${target})
    file(REMOVE ${png})
  endif()
endfunction()

render(1 ${OUTPUT})
if(OUTPUT2X)
  render(2 ${OUTPUT2X})
endif()
file(REMOVE ${work}.svg)
