# One set of warning flags for every target of ours, linked as an interface.
add_library(wpd_warnings INTERFACE)
target_compile_options(wpd_warnings INTERFACE -Wall -Wextra)
