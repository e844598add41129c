# Builds a de_DE.UTF-8 locale into OUTPUT_DIR with LOCALEDEF. A failure leaves the locale out and
# the locale test skips.
file(MAKE_DIRECTORY "${OUTPUT_DIR}")
execute_process(COMMAND "${LOCALEDEF}" -i de_DE -f UTF-8 "${OUTPUT_DIR}/de_DE.UTF-8"
                OUTPUT_QUIET ERROR_QUIET)
file(TOUCH "${OUTPUT_DIR}/built")
