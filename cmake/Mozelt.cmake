# mozelt_part(NAME DEPENDS ...): one library of the maker's library per folder (framework, util,
# locale, common_prefs, widgets, about), built from every source in it; `mozelt` brings them all.
function(mozelt_part NAME)
	cmake_parse_arguments(P "" "" "DEPENDS" ${ARGN})
	file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${NAME}/*.cpp)
	if(NOT srcs)
		return()
	endif()
	add_library(mozelt_${NAME} STATIC ${srcs})
	# Headers of the maker's library are included with their folder, <framework/Archivable.h>,
	# so that they never clash with the platform's headers of the same name.
	target_include_directories(mozelt_${NAME} PUBLIC ${CMAKE_SOURCE_DIR})
	target_link_libraries(mozelt_${NAME} PUBLIC ${P_DEPENDS})
	target_link_libraries(mozelt INTERFACE mozelt_${NAME})
endfunction()
