# Every target of ours gets the same strict warnings, and warnings fail the build.
add_library(varnel_warnings INTERFACE)
target_compile_options(varnel_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Werror
    -Wnon-virtual-dtor -Woverloaded-virtual -Wold-style-cast
    -Wshadow -Wcast-align -Wnull-dereference -Wformat=2
    -Wimplicit-fallthrough -Wmisleading-indentation)
target_compile_definitions(varnel_warnings INTERFACE
    QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_URL_CAST_FROM_STRING
    QT_NO_KEYWORDS QT_NO_FOREACH)
