# Installing into a prefix (`cmake --install`) and the two Debian packages
# (`cpack -G DEB` in the build folder): zarnet, the game and its bot, and
# zarnet-services with its system unit.
include(GNUInstallDirs)

set(ZARNET_APP_ID org.zarnet.Zarnet)
set(ZARNET_WEB_SITE "https://zarnet.org" CACHE STRING
    "The game's web site; the desktop metadata names its screenshots under /screenshots there")
set(ZARNET_SHARED_DIR ${CMAKE_INSTALL_DATADIR}/zarnet)
set(package_out ${CMAKE_BINARY_DIR}/packaging)

# The game's name in every language of the word table, for the menu entry and the metadata.
set(words ${CMAKE_SOURCE_DIR}/i18n/words.tsv)
set_property(DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${words})
file(STRINGS ${words} languages REGEX "^id\t")
file(STRINGS ${words} names ENCODING UTF-8 REGEX "^GameName\t")
string(REPLACE "\t" ";" languages "${languages}")
string(REPLACE "\t" ";" names "${names}")
list(LENGTH languages count)
list(LENGTH names name_count)
if(NOT count EQUAL 11 OR NOT name_count EQUAL 11)
  message(FATAL_ERROR "words.tsv: the header or the GameName row does not have ten languages")
endif()
list(GET names 1 ZARNET_NAME)
set(ZARNET_DESKTOP_NAMES "Name=${ZARNET_NAME}")
set(ZARNET_METAINFO_NAMES "  <name>${ZARNET_NAME}</name>")
foreach(i RANGE 2 10)
  list(GET languages ${i} lang)
  list(GET names ${i} name)
  if(lang STREQUAL "zh")
    set(lang zh_CN)  # the word table's Chinese is the simplified script
  endif()
  string(APPEND ZARNET_DESKTOP_NAMES "\nName[${lang}]=${name}")
  string(APPEND ZARNET_METAINFO_NAMES "\n  <name xml:lang=\"${lang}\">${name}</name>")
endforeach()
configure_file(${CMAKE_CURRENT_LIST_DIR}/zarnet.desktop.in ${package_out}/${ZARNET_APP_ID}.desktop @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/zarnet.metainfo.xml.in ${package_out}/${ZARNET_APP_ID}.metainfo.xml @ONLY)

# The icon, painted by the art tool.
set(icons)
foreach(size 16 24 32 48 64 128 256 512)
  list(APPEND icons ${package_out}/icons/hicolor/${size}x${size}/apps/${ZARNET_APP_ID}.png)
endforeach()
list(APPEND icons ${package_out}/icons/hicolor/scalable/apps/${ZARNET_APP_ID}.svg)
add_custom_command(
  OUTPUT ${icons}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
          $<TARGET_FILE:zarnet-artgen> --icons ${package_out}/icons ${ZARNET_APP_ID}
  DEPENDS zarnet-artgen
  COMMENT "Painting the desktop icon"
  VERBATIM)
add_custom_target(zarnet_icons ALL DEPENDS ${icons})

# Fresh player lists for the installation: the build's own program folder holds
# lists a developer has played with.
set(lists ${package_out}/lists/Zarnet.clb ${package_out}/lists/Zarnet.net)
add_custom_command(
  OUTPUT ${lists}
  COMMAND ${CMAKE_COMMAND} -E rm -f ${lists}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${package_out}/lists
  COMMAND zarnet-listfiles ${package_out}/lists
  DEPENDS zarnet-listfiles
  VERBATIM)
add_custom_target(zarnet_installed_lists ALL DEPENDS ${lists})

# --- the game ---
install(TARGETS zarnet zarnet-netbot RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT game)
set(libraries)
foreach(lib KuvCards06A KuvCards06B KuvCards06C KuvBackG03 KuvCGraph1 KuvCVoice3 KuvCalendar01)
  list(APPEND libraries ${ZARNET_PROGRAM_DIR}/${lib}.dll)
endforeach()
install(FILES ${libraries} ${lists} DESTINATION ${ZARNET_SHARED_DIR} COMPONENT game)
install(FILES ${package_out}/${ZARNET_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
        COMPONENT game)
install(FILES ${package_out}/${ZARNET_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        COMPONENT game)
install(DIRECTORY ${package_out}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons COMPONENT game)
# The face libraries are drawn from Debian's card decks; their notices go along.
install(FILES ${ZARNET_CARD_DECKS_COPYRIGHT} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zarnet
        RENAME card-decks-copyright COMPONENT game)

# The metadata's screenshots are taken from the game itself when it is installed,
# so an ordinary build does not pay for them.
set(shots ${package_out}/screenshots)
install(CODE "
  file(REMOVE_RECURSE \"${shots}\")
  execute_process(
    COMMAND \${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
            \"$<TARGET_FILE:zarnet-screens>\" \"${shots}\"
    RESULT_VARIABLE rc OUTPUT_QUIET)
  foreach(shot menu_large deal_large dealover_large)
    if(rc OR NOT EXISTS \"${shots}/\${shot}.png\")
      message(FATAL_ERROR \"the screenshot \${shot}.png was not taken\")
    endif()
    file(INSTALL \"${shots}/\${shot}.png\" DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${ZARNET_SHARED_DIR}/screenshots\")
  endforeach()
" COMPONENT game)

# --- the services ---
install(TARGETS zarnet-services RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT services)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/zarnet-services.service DESTINATION lib/systemd/system
        COMPONENT services)
# The configuration lives in /etc for a /usr installation and in PREFIX/etc for
# any other; it may hold the database password, so only root reads it.
install(CODE "
  if(CMAKE_INSTALL_PREFIX STREQUAL \"/usr\")
    set(etc /etc)
  else()
    set(etc \"\${CMAKE_INSTALL_PREFIX}/etc\")
  endif()
  file(INSTALL \"${CMAKE_CURRENT_LIST_DIR}/zarnet-services.conf\" DESTINATION \"\${etc}\"
       PERMISSIONS OWNER_READ OWNER_WRITE)
" COMPONENT services)

# --- the Debian packages ---
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zarnet)
set(CPACK_PACKAGE_VENDOR "Zarnet team")
set(CPACK_PACKAGE_CONTACT "Zarnet team <team@zarnet.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Installs into a staging DESTDIR under the real prefix, so /etc lands in /etc.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_COMPONENTS_ALL game services)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${ZARNET_WEB_SITE})

set(CPACK_DEBIAN_GAME_PACKAGE_NAME zarnet)
set(CPACK_DEBIAN_GAME_PACKAGE_SECTION games)
# Found at run time, so the library scan cannot see them: the fonts the windows
# substitute, the tune's sound font, Qt's own translations.
set(CPACK_DEBIAN_GAME_PACKAGE_DEPENDS
    "fonts-dejavu-core, fonts-liberation2, fonts-comic-neue, fonts-wqy-zenhei, timgm6mb-soundfont, qt6-translations-l10n")
set(CPACK_COMPONENT_GAME_DESCRIPTION "two-player trick-taking card game
Zarnet is a card game for two on a 40-card deck: three cards in hand, trump
from the card turned up under the deck, no duty to follow suit, and 61 of the
120 card points win a deal. Play against the computer, a friend over the
network, or at the tables of an online tournament.")

set(CPACK_DEBIAN_SERVICES_PACKAGE_NAME zarnet-services)
set(CPACK_DEBIAN_SERVICES_PACKAGE_SECTION games)
# The storage drivers are plug-ins, the photo upload server a program it starts.
set(CPACK_DEBIAN_SERVICES_PACKAGE_DEPENDS "adduser, libqt6sql6-sqlite, pure-ftpd")
set(CPACK_DEBIAN_SERVICES_PACKAGE_RECOMMENDS "libqt6sql6-psql")
set(CPACK_DEBIAN_SERVICES_PACKAGE_CONTROL_EXTRA
    ${CMAKE_CURRENT_LIST_DIR}/debian-services/postinst
    ${CMAKE_CURRENT_LIST_DIR}/debian-services/prerm
    ${CMAKE_CURRENT_LIST_DIR}/debian-services/postrm
    ${CMAKE_CURRENT_LIST_DIR}/debian-services/conffiles)
set(CPACK_DEBIAN_SERVICES_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
set(CPACK_COMPONENT_SERVICES_DESCRIPTION "web services and table servers of the Zarnet card game
Accounts, record boards, statistics, chat, the online tournament and its ten
table game servers, run by systemd as their own user with SQLite or
PostgreSQL storage.")

include(CPack)
