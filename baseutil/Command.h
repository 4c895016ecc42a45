#pragma once
// An undoable command. The command manager keeps one object per command id
// and, for every change made, a fresh object that knows how to reverse and
// repeat it. Commands that cannot be undone give Undo and Redo empty bodies.

class CCommand {
public:
    virtual ~CCommand() = default;
    virtual int Execute() = 0;
    virtual void Undo() = 0;
    virtual void Redo() = 0;

protected:
    CCommand() = default;
    CCommand(const CCommand&) = default;
    CCommand& operator=(const CCommand&) = default;
};
