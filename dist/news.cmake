# Reads the project's news file (NEWS.md) and writes what packages and
# software centres show of it: the Debian changelog and the AppStream
# releases. A release there is a heading "## VERSION (YYYY-MM-DD)" followed by
# a list, an item being "- text" with continuation lines indented by two
# spaces; the newest release comes first and must be the version being built.
#
# ryv_read_news(<news file> <package> <maintainer>) sets in the caller:
#   RYV_RELEASE_DATE         the date of the newest release, YYYY-MM-DD
#   RYV_DEBIAN_CHANGELOG     the releases as a Debian changelog
#   RYV_APPSTREAM_RELEASES   the releases as AppStream <release> elements

# "Fri, 11 Dec 2026 00:00:00 +0000" for 2026-12-11, as Debian changelogs
# date their entries (the weekday by Sakamoto's method).
function(ryv_rfc2822_date date out)
  string(REGEX MATCH "^([0-9]+)-([0-9]+)-([0-9]+)$" _ "${date}")
  math(EXPR y "${CMAKE_MATCH_1}")
  math(EXPR m "${CMAKE_MATCH_2}")
  math(EXPR d "${CMAKE_MATCH_3}")
  set(month_offsets 0 3 2 5 0 3 5 1 4 6 2 4)
  math(EXPR i "${m} - 1")
  list(GET month_offsets ${i} t)
  if(m LESS 3)
    math(EXPR y "${y} - 1")
  endif()
  math(EXPR weekday "(${y} + ${y} / 4 - ${y} / 100 + ${y} / 400 + ${t} + ${d}) % 7")
  set(weekdays Sun Mon Tue Wed Thu Fri Sat)
  set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
  list(GET weekdays ${weekday} weekday_name)
  list(GET months ${i} month_name)
  set(${out} "${weekday_name}, ${CMAKE_MATCH_3} ${month_name} ${CMAKE_MATCH_1} 00:00:00 +0000"
    PARENT_SCOPE)
endfunction()

# The item gathered so far, into its release.
macro(ryv_news_end_item)
  if(NOT item_text STREQUAL "")
    string(APPEND release_changes "  * ${item_lines}\n")
    string(REPLACE "&" "&amp;" item_text "${item_text}")
    string(REPLACE "<" "&lt;" item_text "${item_text}")
    string(REPLACE ">" "&gt;" item_text "${item_text}")
    string(APPEND release_items "          <li>${item_text}</li>\n")
  endif()
  set(item_text "")
  set(item_lines "")
endmacro()

# The release gathered so far, into both outputs.
macro(ryv_news_end_release)
  ryv_news_end_item()
  if(NOT release_version STREQUAL "")
    if(release_changes STREQUAL "")
      message(FATAL_ERROR "${news_file}: release ${release_version} lists no changes")
    endif()
    ryv_rfc2822_date(${release_date} stamp)
    string(APPEND changelog "${package} (${release_version}) unstable; urgency=medium\n\n"
      "${release_changes}\n -- ${maintainer}  ${stamp}\n\n")
    string(APPEND releases
      "    <release version=\"${release_version}\" date=\"${release_date}\">\n"
      "      <description>\n        <ul>\n${release_items}        </ul>\n"
      "      </description>\n    </release>\n")
  endif()
  set(release_changes "")
  set(release_items "")
endmacro()

function(ryv_read_news news_file package maintainer)
  file(READ "${news_file}" text)
  set(changelog "")
  set(releases "")
  set(newest_version "")
  set(newest_date "")
  set(release_version "")
  set(release_date "")
  set(release_changes "")
  set(release_items "")
  set(item_text "")
  set(item_lines "")
  set(number 0)
  # Line by line without CMake lists, which would split at any ";" and keep
  # text in brackets together.
  while(NOT text STREQUAL "")
    math(EXPR number "${number} + 1")
    string(FIND "${text}" "\n" end)
    if(end EQUAL -1)
      set(line "${text}")
      set(text "")
    else()
      string(SUBSTRING "${text}" 0 ${end} line)
      math(EXPR end "${end} + 1")
      string(SUBSTRING "${text}" ${end} -1 text)
    endif()
    string(LENGTH "${line}" length)
    if(line MATCHES "^## ([0-9]+(\\.[0-9]+)*) \\(([0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9])\\)$")
      ryv_news_end_release()
      set(release_version "${CMAKE_MATCH_1}")
      set(release_date "${CMAKE_MATCH_3}")
      if(newest_version STREQUAL "")
        set(newest_version "${release_version}")
        set(newest_date "${release_date}")
      endif()
    elseif(line MATCHES "^##")
      message(FATAL_ERROR "${news_file}:${number}: a release heading is \"## VERSION (YYYY-MM-DD)\"")
    elseif(release_version STREQUAL "")
      # The introduction before the first release.
    elseif(length GREATER 78)
      # The changelog indents by two more, and Debian's lines end by 80.
      message(FATAL_ERROR "${news_file}:${number}: longer than 78 characters")
    elseif(line MATCHES "^- (.+)$")
      ryv_news_end_item()
      set(item_text "${CMAKE_MATCH_1}")
      set(item_lines "${CMAKE_MATCH_1}")
    elseif(line MATCHES "^  +(.+)$" AND NOT item_text STREQUAL "")
      string(APPEND item_text " ${CMAKE_MATCH_1}")
      string(APPEND item_lines "\n    ${CMAKE_MATCH_1}")
    elseif(line MATCHES "^[ \t]*$")
      ryv_news_end_item()
    else()
      message(FATAL_ERROR "${news_file}:${number}: a release lists its changes as \"- text\"")
    endif()
  endwhile()
  ryv_news_end_release()

  if(NOT newest_version STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "${news_file}: the newest release is '${newest_version}', the project "
      "version ${PROJECT_VERSION}: add its release to the news first")
  endif()
  set(RYV_RELEASE_DATE "${newest_date}" PARENT_SCOPE)
  string(STRIP "${changelog}" changelog)
  set(RYV_DEBIAN_CHANGELOG "${changelog}\n" PARENT_SCOPE)
  string(REGEX REPLACE "\n$" "" releases "${releases}")
  set(RYV_APPSTREAM_RELEASES "${releases}" PARENT_SCOPE)
endfunction()
