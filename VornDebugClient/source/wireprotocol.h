// Message numbers of the debug wire protocol shared with the IDE.
#ifndef VORN_DEBUGCLIENT_WIREPROTOCOL_H
#define VORN_DEBUGCLIENT_WIREPROTOCOL_H

namespace Wire
{
    enum { DATAGRAM_SIZE = 2048, SERVER_PORT = 7550, CLIENT_PORT = 7551 };

    // Integer fields that carry no id.
    enum { NO_ID = -2 };

    // IDE -> client.
    enum ServerMessage
    {
        SRV_STOP = 0,
        SRV_CONNECT_WAIT = 1,
        SRV_CONNECT_READY = 2,
        SRV_SET_BASE_DIRECTORY = 3,
        SRV_ADD_BREAKPOINT = 4,
        SRV_REMOVE_BREAKPOINT = 5,
        SRV_CLEAR_BREAKPOINTS = 6,
        SRV_DEBUG_COMMAND = 7,
        SRV_BREAKPOINT_VERDICT = 8,
        SRV_GET_VARIABLE = 9,
        SRV_EVALUATE_WATCH = 10,
        SRV_EVALUATE_CONDITION = 11,
        SRV_GET_GLOBALS = 12,
        SRV_EXPAND_TABLE = 13,
        SRV_GET_TABLE_MEMBER = 14,
        SRV_LAST = SRV_GET_TABLE_MEMBER
    };

    // Sub-commands of SRV_DEBUG_COMMAND.
    enum DebugCommand
    {
        CMD_GET_LOCALS = 0,
        CMD_CONTINUE = 1,
        CMD_STOP = 2,
        CMD_BREAK = 3,
        CMD_STEP_INTO = 4,
        CMD_STEP_OVER = 5,
        CMD_STEP_OUT = 6,
        CMD_RUN_TO_CURSOR = 7
    };

    // Client -> IDE.
    enum ClientMessage
    {
        CLT_CONNECT_REQUEST = 0,
        CLT_DISCONNECT = 1,
        CLT_BREAK = 2,
        CLT_BREAKPOINT_QUERY = 3,
        CLT_DATA = 4,
        CLT_VARIABLE_VALUE = 5,
        CLT_WATCH_ITEM = 6,
        CLT_CONDITION_VALUE = 7,
        CLT_OUTPUT = 8
    };

    // Sub-ids of CLT_DATA.
    enum DataKind
    {
        DATA_STACK_BEGIN = 0,
        DATA_STACK_ENTRY = 1,
        DATA_LOCALS_BEGIN = 2,
        DATA_LOCALS_ITEM = 3,
        DATA_LOCALS_END = 4,
        DATA_GLOBALS_BEGIN = 5,
        DATA_GLOBALS_ITEM = 6,
        DATA_GLOBALS_END = 7,
        DATA_TABLE_MEMBER_COUNT = 8,
        DATA_TABLE_MEMBER = 9
    };

    // The longest text one Output message can carry: the datagram less the id and the NUL.
    enum { MAX_OUTPUT_CHUNK = DATAGRAM_SIZE - 4 - 1 };
}

#endif
