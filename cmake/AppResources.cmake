# add_app_resources(TARGET DESCRIPTION <file> [DEPENDS <files>...])
#
# Builds the target's resources (signature, version, flags, icons and any further resources) from
# a description in the repository and attaches them to the executable after it is linked, as the
# platform stores an application's resources. A change of the description, or of a file it names,
# links the executable again. See tools/rescompile for the description's syntax.
function(add_app_resources TARGET)
	cmake_parse_arguments(R "" "DESCRIPTION" "DEPENDS" ${ARGN})
	if(NOT R_DESCRIPTION)
		message(FATAL_ERROR "add_app_resources(${TARGET}) needs DESCRIPTION")
	endif()
	get_filename_component(description ${R_DESCRIPTION} ABSOLUTE)
	get_filename_component(folder ${description} DIRECTORY)

	# The files the description reads: the last word of every icon line and "file" resource.
	set(inputs ${description})
	file(STRINGS ${description} lines REGEX "^[ \t]*(icon|resource)[ \t]")
	foreach(line ${lines})
		if(line MATCHES "(icon[ \t]+(large|mini)|[ \t]file)[ \t]+\"?([^\"# \t]+)\"?[ \t]*$")
			set(path ${CMAKE_MATCH_3})
			if(NOT IS_ABSOLUTE ${path})
				set(path ${folder}/${path})
			endif()
			list(APPEND inputs ${path})
		endif()
	endforeach()
	foreach(dep ${R_DEPENDS})
		get_filename_component(dep ${dep} ABSOLUTE)
		list(APPEND inputs ${dep})
	endforeach()

	set_property(TARGET ${TARGET} PROPERTY APP_RESOURCES_DESCRIPTION ${description})
	add_dependencies(${TARGET} rescompile)
	set_property(TARGET ${TARGET} APPEND PROPERTY LINK_DEPENDS ${inputs})
	add_custom_command(TARGET ${TARGET} POST_BUILD
		COMMAND $<TARGET_FILE:rescompile> ${description} --attach $<TARGET_FILE:${TARGET}>
		COMMENT "Attaching resources to ${TARGET}"
		VERBATIM)
endfunction()

# install_app_program(TARGET)
#
# Installs a program with resources to <prefix>/bin and attaches its resources again to the
# installed file: stripping (`cmake --install --strip`, the package) rewrites the executable and
# drops whatever follows its sections, the resources included.
function(install_app_program TARGET)
	get_property(description TARGET ${TARGET} PROPERTY APP_RESOURCES_DESCRIPTION)
	if(NOT description)
		message(FATAL_ERROR "install_app_program(${TARGET}) needs add_app_resources first")
	endif()
	install(TARGETS ${TARGET} RUNTIME DESTINATION bin)
	install(CODE "execute_process(COMMAND \"$<TARGET_FILE:rescompile>\" \"${description}\"
		--attach \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/$<TARGET_FILE_NAME:${TARGET}>\"
		COMMAND_ERROR_IS_FATAL ANY)")
endfunction()
