// IFilesTreeHost: what the project files tree needs of the main frame: the project it
// shows and the opening of a file in an editor.
#pragma once

class CProject;
class CProjectFileEntry;

class IFilesTreeHost
{
public:
    virtual ~IFilesTreeHost() {}
    virtual CProject& GetTreeProject() = 0;
    // Opens the entry's file and brings its view to the front; nothing happens when
    // no view results.
    virtual void OpenProjectFileItem(CProjectFileEntry* pEntry) = 0;
};
