// The hourglass of the busy counter (TBusyCursor): the whole application's pointer.
#pragma once

void ShowBusyCursor(bool busy);
