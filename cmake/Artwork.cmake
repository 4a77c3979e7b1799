# The artwork is SVG in the source tree; the build renders each picture to PNG
# at the size the layout shows it, at 1x and 2x (name@2x.png), and embeds the
# PNGs. No SVG library is loaded at run time, on any platform.
# rsvg-convert runs on the build host for native and cross builds alike, so
# no host program has to be built inside a Windows build.
find_program(RSVG_CONVERT rsvg-convert REQUIRED)

set(QUORVEL_ART_DIR ${CMAKE_BINARY_DIR}/art)

# quorvel_render_art(<out-list> <svg> <png-name> <width> <height>): the rules
# that render <svg> to <png-name>.png and <png-name>@2x.png; appends both.
function(quorvel_render_art out svg name width height)
  set(src ${PROJECT_SOURCE_DIR}/resources/art/${svg}.svg)
  set(one ${QUORVEL_ART_DIR}/${name}.png)
  set(two ${QUORVEL_ART_DIR}/${name}@2x.png)
  math(EXPR width2 "${width} * 2")
  math(EXPR height2 "${height} * 2")
  add_custom_command(OUTPUT ${one} ${two}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${QUORVEL_ART_DIR}
    COMMAND ${RSVG_CONVERT} -w ${width} -h ${height} -o ${one} ${src}
    COMMAND ${RSVG_CONVERT} -w ${width2} -h ${height2} -o ${two} ${src}
    DEPENDS ${src}
    COMMENT "Rendering ${svg}.svg at ${width}x${height}"
    VERBATIM)
  set(${out} ${${out}} ${one} ${two} PARENT_SCOPE)
endfunction()

# quorvel_add_artwork(<target>): renders the pictures and embeds the PNGs in
# <target>'s resources. Called from the target's own folder: a rule's outputs
# are only built for targets of the folder that defines it.
function(quorvel_add_artwork target)
  set(menu_pngs)
  # Quoted: a bare IN would read as foreach's keyword.
  set(items HM OT RK RS NK "IN")
  foreach(item IN LISTS items)
    foreach(state 1 2 3 4)
      quorvel_render_art(menu_pngs ${item}${state} ${item}${state} 167 49)
    endforeach()
  endforeach()

  # The splash picture goes in as raw pixels, its lower-left colour made
  # clear: the run's first window then decodes nothing.
  find_program(MAGICK_CONVERT convert REQUIRED)
  set(splash_pngs)
  quorvel_render_art(splash_pngs splash splash 277 165)
  set(splash_raw)
  foreach(scale 1 2)
    math(EXPR index "${scale} - 1")
    math(EXPR bottom "165 * ${scale} - 1")
    list(GET splash_pngs ${index} png)
    string(REPLACE ".png" ".rgba" raw "${png}")
    add_custom_command(OUTPUT ${raw}
      COMMAND ${MAGICK_CONVERT} ${png} -alpha off -alpha set -fill none -draw "color 0,${bottom} replace" RGBA:${raw}
      DEPENDS ${png} VERBATIM)
    list(APPEND splash_raw ${raw})
  endforeach()

  set(art_pngs)
  quorvel_render_art(art_pngs header header 122 81)
  quorvel_render_art(art_pngs keybutton keybutton 43 21)
  quorvel_render_art(art_pngs sfpd sfpd 393 105)
  quorvel_render_art(art_pngs lvpd lvpd 393 105)
  quorvel_render_art(art_pngs lspd lspd 394 105)
  foreach(size 16 24 32 48)
    quorvel_render_art(art_pngs appicon appicon-${size} ${size} ${size})
  endforeach()

  qt_add_resources(${target} quorvel_menu PREFIX /menu BASE ${QUORVEL_ART_DIR}
    FILES ${menu_pngs} OPTIONS --no-zstd)
  qt_add_resources(${target} quorvel_art PREFIX /art BASE ${QUORVEL_ART_DIR}
    FILES ${art_pngs} OPTIONS --no-zstd)
  qt_add_resources(${target} quorvel_splash PREFIX /art BASE ${QUORVEL_ART_DIR}
    FILES ${splash_raw} OPTIONS --no-compress)
endfunction()

# quorvel_add_app_icon(<target>): on Windows, embeds the application icon (an
# .ico made from the same picture) in <target>'s executable.
function(quorvel_add_app_icon target)
  if(NOT WIN32)
    return()
  endif()
  find_program(MAGICK_CONVERT convert REQUIRED)
  set(ico ${QUORVEL_ART_DIR}/appicon.ico)
  set(src ${PROJECT_SOURCE_DIR}/resources/art/appicon.svg)
  set(pngs)
  foreach(size 16 24 32 48 64 256)
    set(png ${QUORVEL_ART_DIR}/ico-${size}.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${QUORVEL_ART_DIR}
      COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${src}
      DEPENDS ${src} VERBATIM)
    list(APPEND pngs ${png})
  endforeach()
  add_custom_command(OUTPUT ${ico}
    COMMAND ${MAGICK_CONVERT} ${pngs} ${ico}
    DEPENDS ${pngs} VERBATIM)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_icon.rc)
  file(WRITE ${rc} "IDI_ICON1 ICON \"${ico}\"\n")
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${ico})
  target_sources(${target} PRIVATE ${rc} ${ico})
endfunction()
