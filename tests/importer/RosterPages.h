#pragma once

#include <sstream>
#include <string>
#include <vector>

// A page of one table: its heading cells and its rows, cells split at "|",
// with mark-up before and after the table.
inline std::string rosterPage(const std::string& headings, const std::vector<std::string>& rows,
                              const std::string& before = "", const std::string& after = "")
{
    std::string page = "<html><body>" + before + "<table><tr>";
    std::string cell;
    std::istringstream words(headings);
    while (std::getline(words, cell, '|'))
        page += "<th>" + cell + "</th>";
    page += "</tr>";
    for (const std::string& row : rows) {
        page += "<tr>";
        std::istringstream cells(row);
        while (std::getline(cells, cell, '|'))
            page += "<td>" + cell + "</td>";
        page += "</tr>";
    }
    return page + "</table>" + after + "</body></html>";
}
