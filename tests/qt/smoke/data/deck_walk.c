int deck_walk_count;
float deck_walk_verts[9];
int deck_walk_types[3];
int deck_walk_graph[2];

void deck_walk_init()
{
        deck_walk_count = 3;

        deck_walk_verts[0] = 1.5;
        deck_walk_verts[1] = -2;
        deck_walk_verts[2] = 0.125;
        deck_walk_verts[3] = 10;
        deck_walk_verts[4] = 0;
        deck_walk_verts[5] = -7.75;
        deck_walk_verts[6] = 3;
        deck_walk_verts[7] = 4.5;
        deck_walk_verts[8] = 6;

        deck_walk_types[0] = 4;
        deck_walk_types[1] = 5;
        deck_walk_types[2] = 1;

        deck_walk_graph[0] = (0)*256 + (1);
        deck_walk_graph[1] = (1)*256 + (2);
}
