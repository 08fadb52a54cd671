# The game's images, drawn by artgen into data/, and the icons beside the build.
set(DATA_DIR ${CMAKE_SOURCE_DIR}/data)
set(GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
set(GAME_IMAGES font bg enemy01 enemy02 enemy03 enemy04 enemy05 bigenemy01 bigenemy02 bigenemy02_c
    flash cursor chain bomb base gage information intro1 intro2 intro3 title cursor2)
# artgen draws these and the program's icon.
set(ART_FILES ${GAME_IMAGES} icon)
set(ICON_SIDES 16 22 24 32 48 64 128 256)
