# Installs the game's media: each file of the game folder
# (TRIVENZA_MEDIA_SOURCE) of the kinds the game loads, into
# TRIVENZA_MEDIA_DESTINATION under the prefix. A game folder that has been
# played in also holds the player's files (saved games, the champions list,
# error.log, settings, the player's packs and question history): never
# installed. A folder without media stops the installation.
set(media_kinds *.mm1 *.mm2 *.mm3 *.mm4 *.tza *.tzd *.tzq *.tvq *.html)
set(players_files vantoc.mm3)

set(media)
foreach(kind IN LISTS media_kinds)
  file(GLOB found LIST_DIRECTORIES false "${TRIVENZA_MEDIA_SOURCE}/${kind}")
  list(APPEND media ${found})
endforeach()
foreach(name IN LISTS players_files)
  list(REMOVE_ITEM media "${TRIVENZA_MEDIA_SOURCE}/${name}")
endforeach()
list(SORT media)

if(NOT EXISTS "${TRIVENZA_MEDIA_SOURCE}/cam3bknd.mm1")
  message(FATAL_ERROR "${TRIVENZA_MEDIA_SOURCE} holds no media: build the game first (./scripts/build)")
endif()

file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${TRIVENZA_MEDIA_DESTINATION}" TYPE FILE
     PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
     FILES ${media})
