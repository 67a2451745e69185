// Ids of the toolkit's resources.
#pragma once
