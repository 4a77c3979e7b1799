# The program's texts, embedded like its artwork: the player's guide and the
# Russian translation of Qt's own strings.

# Debian's qt6-translations-l10n is architecture-independent, so the host's
# file serves the Windows build too; it is looked up outside the
# cross-compiling root on purpose.
find_file(QUORVEL_QTBASE_RU_QM qtbase_ru.qm
  PATHS /usr/share/qt6/translations
  NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH
  DOC "Qt's Russian translation (Debian's qt6-translations-l10n)")
if(NOT EXISTS "${QUORVEL_QTBASE_RU_QM}")
  message(FATAL_ERROR "Qt's Russian translation not found: QUORVEL_QTBASE_RU_QM is "
    "\"${QUORVEL_QTBASE_RU_QM}\". Install Debian's qt6-translations-l10n "
    "(scripts/deps does; it puts qtbase_ru.qm in /usr/share/qt6/translations) "
    "or pass -DQUORVEL_QTBASE_RU_QM=<path to qtbase_ru.qm>.")
endif()

# quorvel_add_texts(<target>): embeds :/guide/instruction.html and
# :/i18n/qtbase_ru.qm in <target>'s resources.
function(quorvel_add_texts target)
  qt_add_resources(${target} quorvel_guide PREFIX /guide
    BASE ${PROJECT_SOURCE_DIR}/resources/guide
    FILES ${PROJECT_SOURCE_DIR}/resources/guide/instruction.html OPTIONS --no-zstd)
  # Uncompressed: QTranslator then reads it in place, with no copy in memory.
  get_filename_component(qm_dir ${QUORVEL_QTBASE_RU_QM} DIRECTORY)
  qt_add_resources(${target} quorvel_i18n PREFIX /i18n BASE ${qm_dir}
    FILES ${QUORVEL_QTBASE_RU_QM} OPTIONS --no-compress)
endfunction()
