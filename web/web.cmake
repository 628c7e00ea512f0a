# The browser build, configured by scripts/web/web.sh through Emscripten: the same
# game sources and entry point, the third platform backend
# (src/platform/platform_web.cpp) and SDL_image's start-up in place of it,
# linked against SDL 1.2, SDL_mixer 1.2, libpng, zlib, libogg and libvorbis
# compiled to WebAssembly into GRAZE_WEB_PREFIX. The generated assets become
# graze.data, mounted at the file system's root, the game's working folder.
set(GRAZE_WEB_PREFIX "" CACHE PATH "The WebAssembly libraries built by scripts/web/web.sh")
set(GRAZE_WEB_ASSETS "" CACHE PATH "The generated assets folder (Images/, Sound/)")
if(NOT EXISTS ${GRAZE_WEB_PREFIX}/lib/libSDL.a OR NOT IS_DIRECTORY ${GRAZE_WEB_ASSETS}/Images)
  message(FATAL_ERROR "GRAZE_WEB_PREFIX and GRAZE_WEB_ASSETS must name the libraries and the assets: "
                      "build with scripts/web/web.sh")
endif()

# By their paths: Emscripten takes -lSDL for its own JavaScript SDL. Every
# layer gets them through graze_sdl, with the headers.
set(web_libraries)
foreach(library SDL_mixer vorbisfile vorbis ogg SDL png z)
  list(APPEND web_libraries ${GRAZE_WEB_PREFIX}/lib/lib${library}.a)
endforeach()
add_library(graze_sdl INTERFACE)
target_include_directories(graze_sdl INTERFACE ${CMAKE_SOURCE_DIR}/web/include
                                               ${GRAZE_WEB_PREFIX}/include)
target_link_libraries(graze_sdl INTERFACE ${web_libraries})

# The game's layers (src/CMakeLists.txt), the shell's asset loader with
# SDL_image's start-up, and the third backend, which opens the window and the audio
# device as the other two do.
add_subdirectory(src)
target_sources(graze_shell PRIVATE ${CMAKE_SOURCE_DIR}/web/image_init.cpp)
add_library(graze_platform_web OBJECT src/platform/platform_web.cpp
            src/platform/platform_devices.cpp)
target_link_libraries(graze_platform_web PUBLIC graze_platform)

add_executable(graze src/shell/main.cpp web/memory_copy.cpp)
set_source_files_properties(web/memory_copy.cpp PROPERTIES COMPILE_OPTIONS "-mbulk-memory")
set_target_properties(graze PROPERTIES SUFFIX .js)
target_link_libraries(graze PRIVATE graze_shell graze_platform_web)
target_link_options(graze PRIVATE
  # Waits sleep in the page's event loop: the game's loops stay as they are.
  -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536
  # The backend's own sleep, which the page can end early (web/library.js).
  "-sASYNCIFY_IMPORTS=['page_sleep']"
  --js-library ${CMAKE_SOURCE_DIR}/web/library.js
  # ...and nothing in these libraries ever waits: their code stays as fast as
  # it is without Asyncify (decoding every picture and sound at start-up).
  # SDL_mixer does wait (for a fading music) through SDL_Delay: it keeps it.
  "-sASYNCIFY_REMOVE=['SDL_*','png_*','inflate*','ov_*','vorbis_*','_vorbis_*','ogg*']"
  # The page starts the game after a key press; the game's exit runs its
  # atexit handlers and tells the page.
  -sINVOKE_RUN=0 -sEXIT_RUNTIME=1 "-sEXPORTED_RUNTIME_METHODS=['callMain']"
  -sENVIRONMENT=web -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=64MB
  # SDL_mixer's audio device is the page's Web Audio, and its waits sleep in
  # the page (see platform_web.cpp).
  -Wl,--wrap=SDL_OpenAudio -Wl,--wrap=SDL_Delay
  --pre-js ${CMAKE_SOURCE_DIR}/web/pre.js
  --preload-file ${GRAZE_WEB_ASSETS}@/)
set_property(TARGET graze APPEND PROPERTY LINK_DEPENDS ${CMAKE_SOURCE_DIR}/web/pre.js
                                                      ${CMAKE_SOURCE_DIR}/web/library.js)
