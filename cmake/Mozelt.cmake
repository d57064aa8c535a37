# mozelt_part(NAME [FOLDER folder] DEPENDS ...): one library of the maker's library per folder
# (framework, util, locale, common_prefs, widgets, about), built from every source in it;
# `mozelt` brings them all. FOLDER defaults to NAME. A folder inside another part's folder that
# is a part of its own (util/text) is made first and left out of the outer part.
function(mozelt_part NAME)
	cmake_parse_arguments(P "" "FOLDER" "DEPENDS" ${ARGN})
	if(NOT P_FOLDER)
		set(P_FOLDER ${NAME})
	endif()
	file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${P_FOLDER}/*.cpp)
	get_property(taken GLOBAL PROPERTY MOZELT_PART_FOLDERS)
	foreach(folder ${taken})
		list(FILTER srcs EXCLUDE REGEX "^${CMAKE_SOURCE_DIR}/${folder}/")
	endforeach()
	set_property(GLOBAL APPEND PROPERTY MOZELT_PART_FOLDERS ${P_FOLDER})
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
