# Writes the AppStream metadata from its template. Where the project publishes its pages
# (ZORVY_PUBLISH_URL, https://…), the metadata names its home page there and the three pages'
# pictures under <address>/screenshots/, the files `publish/screenshots/` of the build holds; with
# no address it names neither, rather than an address that leads nowhere.
# Included by the build, or run alone: cmake -DZORVY_PUBLISH_URL=… -DMETAINFO_IN=… -DMETAINFO_OUT=…
# -P Metainfo.cmake
function(zorvy_write_metainfo input output address)
	set(ZORVY_METAINFO_PUBLISHED "")
	if(address)
		if(NOT address MATCHES "^https://[^ <>&\"']+$")
			message(FATAL_ERROR "ZORVY_PUBLISH_URL must be an https:// address: ${address}")
		endif()
		string(REGEX REPLACE "/+$" "" address "${address}")
		set(pages
			"input|The Input page|入力"
			"assist|The Input-assist page|入力補助"
			"punctuation|The Punctuation-conversion page|句読点変換")
		set(block "  <url type=\"homepage\">${address}</url>\n  <screenshots>\n")
		set(kind " type=\"default\"")
		foreach(page ${pages})
			string(REPLACE "|" ";" fields "${page}")
			list(GET fields 0 file)
			list(GET fields 1 caption)
			list(GET fields 2 japanese)
			string(APPEND block "    <screenshot${kind}>\n"
				"      <caption>${caption}</caption>\n"
				"      <caption xml:lang=\"ja\">${japanese}</caption>\n"
				"      <image type=\"source\" width=\"551\" height=\"286\">"
				"${address}/screenshots/${file}.png</image>\n"
				"    </screenshot>\n")
			set(kind "")
		endforeach()
		string(APPEND block "  </screenshots>\n")
		set(ZORVY_METAINFO_PUBLISHED "${block}")
	endif()
	configure_file(${input} ${output} @ONLY)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE AND METAINFO_IN AND METAINFO_OUT)
	zorvy_write_metainfo(${METAINFO_IN} ${METAINFO_OUT} "${ZORVY_PUBLISH_URL}")
endif()
